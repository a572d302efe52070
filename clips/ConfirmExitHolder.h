#pragma once
// Where the view leaves the ConfirmExit setting for the closing of the main window. The
// document implements it, so the view does not depend on the application's classes.
class ConfirmExitHolder {
public:
    virtual void SetConfirmExit(int bConfirm) = 0;

protected:
    ~ConfirmExitHolder() = default;
};
