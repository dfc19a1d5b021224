#pragma once
// The content of the frames overview window: a modeless child dialog listing every frame of
// one image file as an owner-drawn row, with the size and delay of the selected frame, and
// buttons to open another file and to save the selected frame. It has its own model and
// lives on the thread of its host window; it sets the host's title.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "image/PravidlaPrehravani.h"

#include "winlib/ListBox.h"
#include "winlib/DialogImpl.h"

class GifAnimace;

// The panel's list of frames: one row per frame of the model, each drawn as the frame fitted
// into the row. The model keeps the rows it draws once the user scrolls back.
class SeznamSnimkuPrehledu : public Tarnel::WinApi::ListBox {
public:
    // The model the rows show; null shows nothing. Not owned.
    void NastavitModel(GifAnimace* novy) { model = novy; }

protected:
    bool OnDrawItem(const DRAWITEMSTRUCT& polozka) override;
    bool OnMeasureItem(MEASUREITEMSTRUCT& polozka) override;

private:
    GifAnimace* model = nullptr;
};

// Owns its model and its dialog window: deleting the object destroys the window.
class DlgPrehledFrames : public Tarnel::WinApi::DialogImpl {
public:
    // pravidlo: the timing rule the information line shows a frame's interval under, asked
    // each time it is shown; the file's own delays without one.
    explicit DlgPrehledFrames(std::function<Casovani()> pravidlo = {});
    ~DlgPrehledFrames() override;

    // Creates the panel as a child of the host, not yet visible. With a path of an existing
    // file (not a folder) the panel shows that file; otherwise it starts empty. Fatal when
    // the dialog cannot be created.
    HWND Vytvorit(HWND hostitel, const wchar_t* cesta);

    // For the host's message loop, before a message is dispatched: the panel's keys (Page Down
    // and Page Up walk through the folder of its file) and the dialog keys (Tab, Shift+Tab
    // between its controls). True when the message has been dealt with.
    bool PredzpracovatZpravu(MSG& zprava);

    const std::wstring& Cesta() const { return path; }
    const GifAnimace* Model() const { return model.get(); }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT kod, HWND prvek) override;
    // The list's context menu: export and clipboard (DlgPrehledFramesExport.cpp).
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The panel is part of its host window: OK or Cancel from anywhere must not end it.
    void OnOk() override {}
    void OnCancel() override {}

private:
    void UpdateTitle();
    void FillFrameList();
    void ShowFrameInfo();
    void OnOpenFile();
    // Shows the file in the panel, whether or not it opens as an image.
    void NacistSoubor(const std::wstring& cesta);
    void OtevritSousedniSoubor(int smer);
    void OnSaveFrame();
    void SetInfo(const std::wstring& text);
    void ZobrazitKontextoveMenu(LPARAM pozice);
    // The export and clipboard commands for the panel's file and selected frame; false for
    // any other command.
    bool ObslouzitPrikazExportu(UINT prikaz);

    // The frame of the selected row, or -1.
    int VybranySnimek() const;

    std::wstring path;
    std::function<Casovani()> pravidlo;
    std::unique_ptr<GifAnimace> model;
    SeznamSnimkuPrehledu list; // shows the model, so it goes before it

    const wchar_t* parametr = nullptr; // the creation parameter, only while the dialog is created
};
