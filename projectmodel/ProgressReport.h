#pragma once
// Reporting the progress of long work on the project through the progress
// callback that PR_SetCallBackFunction stored.

// Calls the stored progress callback, when there is one, with `code` and a
// "PDATA" element whose value is `value`: 6 starts (value = the number of
// steps), 7 after each step (value = the steps done), 8 ends (no element).
void PR_ReportProgress(int code, int value = 0);
