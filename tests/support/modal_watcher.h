#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers the modal message boxes a window opens during a test, as a cashier
// would press OK, and keeps their texts.
class ModalWatcher : public QObject
{
public:
    explicit ModalWatcher(QObject *parent = nullptr) : QObject(parent)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                m_texts << box->text();
                box->accept();
            }
        });
        m_timer.start(20);
    }
    QStringList texts() const { return m_texts; }

private:
    QTimer m_timer;
    QStringList m_texts;
};
