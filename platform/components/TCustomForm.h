#pragma once
// A top-level window with its controls, made from the form description stored as a resource
// named after its class (see NewForm), shown modelessly or modally.
#include <memory>
#include <string>
#include <vector>

#include "components/TCanvas.h"
#include "components/TWinControl.h"

class TMainMenu;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
extern const TEnumType FormStyleType;
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
extern const TEnumType PositionType;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
extern const TEnumType WindowStateType;
enum TBorderIconFlag : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
extern const TEnumType BorderIconType;
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
    DECLARE_CLASS(TCustomForm, TWinControl)
public:
    // A form with no description read: controls are added in code. NewForm reads one.
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Reads the description resource named after the class (RCDATA), then OnCreate.
    void ReadFormResource();
    // Reads a description given as text (UTF-8), then OnCreate.
    void ReadFormText(const std::string& text, const std::string& sourceName);

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle style);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState state);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool preview) { FKeyPreview = preview; }
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool autoScroll) { FAutoScroll = autoScroll; }
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* menu);
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }
    const std::string& HelpFile() const { return FHelpFile; }
    void SetHelpFile(const std::string& file) { FHelpFile = file; }
    int FormClientWidth() { return ClientWidth(); }
    void SetFormClientWidth(int width);
    int FormClientHeight() { return ClientHeight(); }
    void SetFormClientHeight(int height);
    TRect ClientRect() override;
    TCanvas* Canvas() { return &FCanvas; }

    void SetVisible(bool visible) override;
    // Shows the form, disables the other windows of the program, runs the message loop until
    // ModalResult is set (or the form is closed: mrCancel), and hides the form again.
    int ShowModal();
    bool Modal() const { return FModal; }
    void Close();
    bool CloseQuery();
    // Frees the form once the messages now queued for it have been handled.
    void Release();
    bool Active();
    void Centre();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;

    // Called by the controls of the form.
    void FocusMoved(TWinControl* control);
    void ControlDestroying(TControl* control);
    void PreviewKeyDown(WORD& key, TShiftState shift);
    void PreviewKeyPress(char& key);
    bool IsShortCut(WORD key, TShiftState shift);
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    virtual void DoCreate();
    virtual void DoClose(TCloseAction& action);

private:
    void ReadDescription(const std::string& text, const std::string& sourceName);
    void ApplyPosition();
    void DialogKey(TMessage& message);
    void Activated(bool active);
    void CloseModal();
    HWND OwnerWindow();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    bool FKeyPreview = false;
    bool FAutoScroll = false;
    TMainMenu* FMenu = nullptr;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    int FModalResult = mrNone;
    bool FModal = false;
    bool FPositioned = false;
    std::string FHelpFile;
    int FWantedClientWidth = -1;
    int FWantedClientHeight = -1;
    TCanvas FCanvas;
};

// Makes a form of class T, reads its description resource and runs its OnCreate; the form is
// freed again when reading fails (the EReadError goes on to the caller).
template <class T>
T* NewForm(TComponent* owner) {
    std::unique_ptr<T> form(new T(owner));
    form->ReadFormResource();
    return form.release();
}
