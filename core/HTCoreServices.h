// What the puzzle core needs of the program around it: its texts, a way to
// tell the player something, and the load-choice question. The core only
// sees this interface; the game window implements it and hands it in at
// start-up, so the core links against nothing above it and runs without a
// window (tools and tests) on the windowless answers below.
#pragma once

#include <afx.h>

class CHTCoreServices
{
public:
    // The string-table text of an id; "String not found: <id>" when the
    // table has no such entry.
    virtual CString LoadResourceString(UINT nID) = 0;
    // Tells the player something (a file that cannot be read) and waits for
    // the acknowledgement. Returns the box's result.
    virtual INT_PTR ShowInfoMessage(const CString& strMessage) = 0;
    // Asks whether a loaded puzzle that has already been started is played
    // again from the beginning. TRUE for "start again".
    virtual BOOL AskStartAgain() = 0;

    // The services in force: those handed in, else the windowless ones.
    static CHTCoreServices& AFXAPI Get();
    // Hands in the program's services (NULL: back to the windowless ones).
    // Returns the previous ones, NULL when the windowless ones were in force.
    static CHTCoreServices* AFXAPI Set(CHTCoreServices* pServices);

protected:
    // Never deleted through the interface. The destructor stays trivial, so
    // services held in statics outlive every caller at exit (the settings
    // object saves from its destructor).
    ~CHTCoreServices() = default;
};

// The answers without a window: texts straight from the string table, no
// message box (the message goes to the debugger output) and no question
// (the puzzle continues from where it was saved).
class CHTWindowlessServices : public CHTCoreServices
{
public:
    virtual CString LoadResourceString(UINT nID);
    virtual INT_PTR ShowInfoMessage(const CString& strMessage);
    virtual BOOL AskStartAgain();
};
