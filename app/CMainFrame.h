#pragma once
// The main window: restores itself for a second start, and hands menu initialisation and
// system commands on to the view.
#include "framework/CFrameWnd.h"

class CMenu;

class CMainFrame : public CFrameWnd {
public:
    // The caption stays exactly the title of resource 128: no document name is added.
    BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CCreateContext* context = nullptr) override;

protected:
    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    LRESULT OnRestoreInstance(WPARAM, LPARAM);
    int OnCreate(CREATESTRUCTW* create);
    void OnHelpTopics();
    void OnInitMenu(CMenu* menu);
    void OnSysCommand(UINT id, LPARAM lParam);
    // A session end that another program cancelled: the view carries on as before the query.
    void OnEndSession(BOOL bEnding);
};
