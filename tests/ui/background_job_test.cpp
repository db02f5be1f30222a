// SPDX-License-Identifier: MIT
#include "ui/background_job.h"
#include "ui/progress_dlg.h"

#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace std::chrono_literals;

class BackgroundJobTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_owner;
    CProgressDlg* m_progress = nullptr; ///< owned by m_owner

private slots:
    void init() {
        m_owner = std::make_unique<QWidget>();
        m_progress = new CProgressDlg(m_owner.get());
        m_progress->Open(true, 50, QStringLiteral("Working"), {});
    }

    void cleanup() { m_owner.reset(); }

    void workRunsOffTheEventThreadWhileEventsAreHandled() {
        QSignalSpy positions(m_progress->findChild<QObject*>("progressBar"),
                             SIGNAL(valueChanged(int)));
        int ticksDuringWork = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticksDuringWork; });
        ticker.start(5);

        Qt::HANDLE workerThread = nullptr;
        RunWithProgress(*m_progress, [&](JobState& state) {
            workerThread = QThread::currentThreadId();
            for (std::size_t item = 1; item <= 50; ++item) {
                std::this_thread::sleep_for(4ms);
                state.done = item;
            }
        });

        QVERIFY(workerThread != QThread::currentThreadId());
        QVERIFY2(ticksDuringWork > 5, "the event loop stood still during the work");
        QVERIFY2(positions.size() > 2, "the bar did not follow the work");
        QCOMPARE(m_progress->Position(), 50);
    }

    void escapeOnTheProgressWindowAsksTheWorkToStop() {
        QTimer::singleShot(20, m_progress, [this] { QTest::keyClick(m_progress, Qt::Key_Escape); });
        std::size_t itemsDone = 0;
        RunWithProgress(*m_progress, [&](JobState& state) {
            while (!state.cancelRequested && itemsDone < 1'000'000) {
                std::this_thread::sleep_for(1ms);
                state.done = ++itemsDone;
            }
        });
        QVERIFY(itemsDone < 1'000'000);
        QVERIFY(!m_progress->isVisible());
    }

    void anExceptionOfTheWorkReachesTheCaller() {
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 RunWithProgress(*m_progress, [](JobState& /*state*/) {
                                     throw std::runtime_error("out of luck");
                                 }));
    }
};

QTEST_MAIN(BackgroundJobTest)
#include "background_job_test.moc"
