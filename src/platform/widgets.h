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
// A double-click on a Chinese character selects that one character: Qt would select the whole
// run of Chinese up to the next punctuation. Other text keeps Qt's word selection.
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

    // The selected text; line breaks come back as "\n".
    QString SelText() const;
    int SelStart() const;
    int SelLength() const;
    void Select(int start, int length);

    // Selects the Chinese character under `pos` (viewport coordinates); false, leaving the
    // selection alone, when the pointer is over anything else.
    bool SelectHanCharacterAt(const QPoint &pos);

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    // Set from a double-click that selected one character until the button is released, so
    // that moving the pointer meanwhile does not widen the selection back to Qt's word.
    bool holdingCharacter_ = false;
};
