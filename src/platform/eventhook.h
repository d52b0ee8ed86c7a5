// Calls a function for one kind of event of a widget, without subclassing it.
#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

class EventHook : public QObject {
  public:
    // `handler` returns true to stop the event there.
    EventHook(QObject *target, QEvent::Type type, std::function<bool(QEvent *)> handler)
        : QObject(target), type_(type), handler_(std::move(handler)) {
        target->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject *, QEvent *event) override {
        return event->type() == type_ && handler_(event);
    }

  private:
    QEvent::Type type_;
    std::function<bool(QEvent *)> handler_;
};
