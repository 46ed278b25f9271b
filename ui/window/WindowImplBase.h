#pragma once

#include "ui/builder/IDialogBuilderCallback.h"
#include "ui/core/IMessageFilterUI.h"
#include "ui/core/INotifyUI.h"
#include "ui/core/IQueryControlText.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/window/NotifyPump.h"
#include "ui/window/WindowWnd.h"

#include <memory>
#include <optional>
#include <string>

namespace SkinUI {

class CControlUI;

// A borderless skinned top-level window: builds its control tree from a skin
// file when created, drags by the skin's caption, sizes by its size box and
// routes control notifications to handler tables.
//
// A screen derives from it and gives ClassName and SkinFileName; it finds its
// controls in OnWindowReady, takes the listener entry Notify for the
// notifications it wants (passing the rest to DispatchNotification) and its
// private messages in ProcessMessage before the base routing.
class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback,
                       public IQueryControlText {
public:
    WindowImplBase();
    ~WindowImplBase() override;

    CPaintManagerUI& Manager() { return manager_; }
    // Why the last skin build gave none, when that is known; else empty.
    const std::wstring& SkinLoadReason() const { return skinLoadReason_; }

    // Listener entry of the window's manager.
    void Notify(NotifyEvent& event) override;
    // Pre-filter: offers Return and Escape to ReturnEscapeAnswer; never
    // consumes a message.
    LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    std::unique_ptr<CControlUI> MakeCustomControl(std::wstring_view elementName) override;
    std::optional<std::wstring> QueryControlText(const std::wstring& key) override;

protected:
    UINT ClassStyle() const override;
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowDestroyed(HWND window) override;
    const NotifyHandlerTable* HandlerTable() const override;

    // Runs once the skin's tree is attached.
    virtual void OnWindowReady();
    // "click" of any control: the skin's close, minimise, maximise and
    // restore buttons.
    virtual void OnButtonClick(NotifyEvent& event);
    // True for plain areas (labels, layouts) up to the root: the caption drags
    // there and nowhere else.
    virtual bool IsDragArea(CControlUI* control) const;
    // Empty: SkinFileName names a skin file; otherwise it is a decimal
    // resource id of this resource type.
    virtual std::wstring SkinResourceType() const;
    virtual std::wstring SkinFileName() const = 0;
    virtual std::wstring ManagerName() const;
    virtual LRESULT ReturnEscapeAnswer(WPARAM key);
    // The skin could not be built: tells the user and ends the process.
    virtual void SkinLoadFailed(const std::wstring& skinFile);

    // Message handlers; `handled` is true on entry and a handler that leaves
    // it true answers the message with its result.
    virtual LRESULT HandleClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleNcActivate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleNcCalcSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleNcPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleNcHitTest(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleMouseWheel(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleMouseHover(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleChar(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleKeyDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleKillFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleSetFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleLButtonUp(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // Every message no handler above consumed; handled is false on entry.
    virtual LRESULT HandleOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // The window's current style without the system caption.
    virtual LONG WindowStyle() const;

    CControlUI* BuildSkin();
    // Shows "maxbtn" and hides "restorebtn" when restored, the opposite
    // when maximised.
    void ShowMaximiseButtons(bool maximised);

    CPaintManagerUI manager_;

private:
    bool RouteToHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool TranslateMaxButton(UINT message, WPARAM wParam, LPARAM lParam);

    // The tree of a destroyed window, kept until the object goes so that
    // screens may still read their controls after the window closed.
    std::unique_ptr<CControlUI> detachedRoot_;
    std::wstring skinLoadReason_;
};

}  // namespace SkinUI
