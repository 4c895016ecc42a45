#pragma once
// Reporting the progress of long work on the project through the progress
// callback that PR_SetCallBackFunction stored.

// Calls the stored progress callback, when there is one, with `code` and a
// "PDATA" element whose value is `value`: PR_PROGRESS_START (value = the
// number of steps), PR_PROGRESS_STEP after each step (value = the steps
// done), PR_PROGRESS_END (no element).
void PR_ReportProgress(int code, int value = 0);
