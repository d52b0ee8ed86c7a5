// Small widgets the windows need beyond Qt's own.
#pragma once

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>

// A label that reports clicks (the link labels of the status strip, the captions over frames).
class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

    // The label's font colour, kept as the widget's own style so a skin does not override it.
    QColor fontColor() const { return fontColor_; }
    void setFontColor(const QColor &color) {
        fontColor_ = color;
        setStyleSheet(QStringLiteral("color: %1;").arg(color.name()));
    }

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent *event) override {
        QLabel::mouseReleaseEvent(event);
        if (rect().contains(event->position().toPoint())) emit clicked();
    }

  private:
    QColor fontColor_;
};

// A plain-text memo; "\r\n" line breaks in, "\n" out.
class TMemo : public QPlainTextEdit {
    Q_OBJECT
  public:
    using QPlainTextEdit::QPlainTextEdit;
    QString Text() const { return toPlainText(); }
    void SetText(const QString &text) {
        QString plain = text;
        plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        setPlainText(plain);
    }
};
