// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include <QApplication>
#include <QTimer>
#include <QWidget>

/// Answers the modal dialogs and pop-up menus that the code under test opens, in the user's
/// place: each one that appears is handed to `answer` once, which must close it. Lives as long
/// as the object.
class ModalAnswerer {
public:
    explicit ModalAnswerer(std::function<void(QWidget*)> answer) : m_answer(std::move(answer)) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { AnswerOpenWindow(); });
        m_timer.start();
    }

    int Answered() const { return m_nAnswered; }

private:
    void AnswerOpenWindow() {
        QWidget* window = QApplication::activePopupWidget();
        if (window == nullptr) {
            window = QApplication::activeModalWidget();
        }
        if (window == nullptr || window == m_lastAnswered || !window->isVisible()) {
            return;
        }
        m_lastAnswered = window;
        ++m_nAnswered;
        m_answer(window);
        m_lastAnswered = nullptr;
    }

    std::function<void(QWidget*)> m_answer;
    QTimer m_timer;
    QWidget* m_lastAnswered = nullptr;
    int m_nAnswered = 0;
};
