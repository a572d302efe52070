#pragma once
// Ties one document class, one frame class and one view class to a resource id, and owns the
// one document and frame of a single-document program.
#include <memory>

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"

class CSingleDocTemplate {
public:
    template <typename Document, typename Frame, typename View>
    static std::unique_ptr<CSingleDocTemplate> For(UINT resourceId) {
        return std::make_unique<CSingleDocTemplate>(
            resourceId, [] { return std::unique_ptr<CDocument>(std::make_unique<Document>()); },
            [] { return std::unique_ptr<CFrameWnd>(std::make_unique<Frame>()); },
            [] { return std::unique_ptr<CView>(std::make_unique<View>()); });
    }
    CSingleDocTemplate(UINT resourceId, std::unique_ptr<CDocument> (*createDocument)(),
                       std::unique_ptr<CFrameWnd> (*createFrame)(), std::unique_ptr<CView> (*createView)())
        : m_resourceId(resourceId),
          m_createDocument(createDocument),
          m_createFrame(createFrame),
          m_createView(createView) {}
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;
    ~CSingleDocTemplate();

    // Creates the document, the frame and its view and shows the frame; a second call
    // re-initialises the document and runs the view's initial update again. Null on failure.
    CDocument* OpenNewDocument(int& showCommand);
    // Destroys the frame's window, and with it the view and the controls. The objects live on
    // until the template ends: this may run inside one of the frame's own handlers.
    void CloseAllDocuments();
    CFrameWnd* GetFrame() const { return m_frame.get(); }

private:
    UINT m_resourceId;
    std::unique_ptr<CDocument> (*m_createDocument)();
    std::unique_ptr<CFrameWnd> (*m_createFrame)();
    std::unique_ptr<CView> (*m_createView)();
    std::unique_ptr<CDocument> m_document;
    std::unique_ptr<CFrameWnd> m_frame;
};
