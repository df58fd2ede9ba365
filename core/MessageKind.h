#pragma once

// The kinds of message box and their answers. The exchanges ask their questions in these terms;
// the windows show them.
namespace MessageKind {
enum : int {
    Information = 1, // OK; result 1
    YesNo = 2,       // result 6 for Yes, 7 for No
    RetryCancel = 22 // result 4 for Retry, 2 for Cancel
};
}
namespace MessageResult {
enum : int { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };
}
