// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>

class CProgressDlg;

/// What a job that runs off the user-interface thread shares with that thread.
struct JobState {
    std::atomic<std::size_t> done{0};         ///< items finished so far
    std::atomic<bool> cancelRequested{false}; ///< set when the user asked the job to stop
};

/// Runs `work` on a thread of its own and returns once it has ended. Meanwhile the calling
/// (user-interface) thread keeps handling events, so the windows repaint; the bar of `progress`
/// follows JobState::done, and Esc or the close box of `progress` sets
/// JobState::cancelRequested, which `work` is expected to check between items. An exception
/// that leaves `work` is thrown again here.
void RunWithProgress(CProgressDlg& progress, const std::function<void(JobState&)>& work);
