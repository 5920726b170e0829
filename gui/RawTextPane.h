#pragma once

#include <QPlainTextEdit>

// A plain-text pane that gives back exactly the text it was given, line ends
// included.
class RawTextPane : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit RawTextPane(QWidget *parent = nullptr);

    QString rawText() const;
    // Replaces the text without an undo step.
    void setRawText(const QString &text);
    void appendRaw(const QString &text);
    // Replaces the whole text as one step that Ctrl+Z takes back.
    void replaceAll(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    template<typename Edit>
    void settled(Edit edit, int extendBack, int extendForward);
};
