// IFindDialogHost: what the Find, Replace and Find In Files dialogs ask of the window
// that owns them: to run their buttons on the target editor, to search the project's
// files, and to forget a dialog whose window is going.
#pragma once

class IFindDialogHost
{
public:
    virtual ~IFindDialogHost() {}

    virtual void ViewFindNext() = 0;
    virtual void ViewReplace() = 0;
    virtual void ViewReplaceAll() = 0;
    virtual void ViewMarkAll() = 0;
    // Find in Files with the find text and options of the settings.
    virtual void RunFindInFiles() = 0;

    virtual void ForgetFindDialog() = 0;
    virtual void ForgetReplaceDialog() = 0;
    virtual void ForgetFindInFilesDialog() = 0;
};
