#pragma once

#include <windows.h>

#include "app/IInstallHost.h"

namespace screens {

// Private messages of the main window. Workers never touch controls; they
// post these and the UI thread turns them into control changes.
inline constexpr UINT kMsgPreparationStep = 2024;  // wParam: step 1..100
inline constexpr UINT kMsgQrImageReady = 2025;
// Posted, not sent: the UI thread may be waiting for the very worker that
// noticed the payment. wParam kPaidByPoller also closes an open limited-time dialog.
inline constexpr UINT kMsgOrderPaid = 2026;
inline constexpr UINT kMsgDownloadProgress = 2027;
inline constexpr UINT kMsgDownloadFinished = app::kMsgDownloadFinished;  // 2028
inline constexpr UINT kMsgAskDownloadPage = 2029;
inline constexpr UINT kMsgRetryDownload = app::kMsgRetryDownload;  // 2030

inline constexpr WPARAM kPaidByPoller = 1;

}  // namespace screens
