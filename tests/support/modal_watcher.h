#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers the modal message boxes a window opens during a test, as a cashier
// would, and keeps their texts. By default it presses OK; `answerWith` names the
// button to press instead.
class ModalWatcher : public QObject
{
public:
    explicit ModalWatcher(QObject *parent = nullptr) : QObject(parent)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            m_texts << box->text();
            for (QAbstractButton *button : box->buttons()) {
                if (!m_answer.isEmpty() && button->text() == m_answer) {
                    button->click();
                    return;
                }
            }
            box->accept();
        });
        m_timer.start(20);
    }
    void answerWith(const QString &buttonText) { m_answer = buttonText; }
    QStringList texts() const { return m_texts; }
    void clear() { m_texts.clear(); }

private:
    QTimer m_timer;
    QStringList m_texts;
    QString m_answer;
};
