#pragma once

#include "core/ResponseDiff.h"
#include "core/Settings.h"

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <atomic>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QThread;
class CompareView;

// Two responses side by side, each decoded with its own encoding, with their
// differences marked and counted; F7 and Shift+F7 step through them. The
// comparison runs on a thread of its own, so the window keeps answering.
class CompareForm : public QWidget
{
    Q_OBJECT
public:
    struct Side
    {
        QString title;
        QByteArray bytes;
        QString encoding;
    };

    CompareForm();
    ~CompareForm() override;

    void restore(const Settings::Section &settings);
    void save(Settings::Section &settings) const;
    void compare(const Side &left, const Side &right);
    // Whether a comparison is still being worked out.
    bool isComparing() const { return m_worker != nullptr; }
    int differenceCount() const;

signals:
    void compared();

private slots:
    void nextDifference();
    void previousDifference();
    void compareAgain();

private:
    void stopWorker();
    void show(std::shared_ptr<const ResponseDiff::Result> result);

    QLabel *m_leftTitle, *m_rightTitle;
    QCheckBox *m_ignoreChk;
    QLineEdit *m_ignoreTxt;
    QPushButton *m_prevCmd, *m_nextCmd;
    QLabel *m_countLbl;
    QLabel *m_noteLbl;
    CompareView *m_view;
    Side m_left, m_right;
    std::shared_ptr<const ResponseDiff::Result> m_result;
    QThread *m_worker = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    int m_currentDifference = -1;
    bool m_placed = false;
};
