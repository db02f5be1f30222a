// SPDX-License-Identifier: MIT
#include "ui/background_job.h"

#include "ui/progress_dlg.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <thread>

#include <QEventLoop>
#include <QTimer>

namespace {

// The work finishes thousands of items a second; a signal per item would flood the event
// queue, while the bar needs no more than a few dozen updates a second.
constexpr int kRefreshIntervalMs = 40;

void ShowDone(CProgressDlg& progress, const JobState& state) {
    const std::size_t done = std::min<std::size_t>(state.done.load(), INT_MAX);
    progress.SetPosition(static_cast<int>(done));
}

} // namespace

void RunWithProgress(CProgressDlg& progress, const std::function<void(JobState&)>& work) {
    JobState state;
    QEventLoop loop;
    QTimer refresh;
    refresh.setInterval(kRefreshIntervalMs);
    QObject::connect(&refresh, &QTimer::timeout, &progress, [&] { ShowDone(progress, state); });
    const auto connection = QObject::connect(&progress, &CProgressDlg::canceled, &loop,
                                             [&] { state.cancelRequested = true; });

    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work(state);
        } catch (...) {
            failure = std::current_exception();
        }
        // Queued, so it also ends the loop when the work is done before the loop has started.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    refresh.start();
    loop.exec();
    worker.join();

    QObject::disconnect(connection);
    ShowDone(progress, state);
    if (failure) {
        std::rethrow_exception(failure);
    }
}
