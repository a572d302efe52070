#pragma once
// The Configure dialog: edits a copy of the settings; the caller takes it back only on OK.
#include "framework/CButton.h"
#include "framework/CDialog.h"
#include "settings/ClipSettings.h"

class CConfigureDlg : public CDialog {
public:
    CConfigureDlg();

    void SetSettings(const settings::ClipSettings& settings) { m_settings = settings; }
    const settings::ClipSettings& GetSettings() const { return m_settings; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    // Reads the number box with the number rule; OK is enabled while the number is at least 1.
    void OnChangeNumberToSave();
    void ReadNumberBox();
    void EnableOkByNumber() const;

    CButton m_btnOK;
    settings::ClipSettings m_settings;
};
