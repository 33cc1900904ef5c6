#pragma once

#include <windows.h>

#include <ocidl.h>
#include <memory>
#include <optional>
#include <string>

#include "Accelerators.h"
#include "ComPtr.h"
#include "InventoryReader.h"
#include "InventoryTable.h"
#include "KeptFocus.h"
#include "PictureBox.h"
#include "ReadSource.h"
#include "Render.h"
#include "UniqueHandle.h"
#include "WindowBase.h"
#include "cProgressBar.h"
#include "resource.h"

// The network stack window: the inventory of this computer or another, read
// through the same engine and live reader as quillmark-inventory.exe. From
// the top: "Computer:", Refresh and "Show Windows' own entries"; the summary;
// the verdicts in words; the progress of a read and what went wrong; the list
// of entries and error lines; Copy and Save as....
class NetworkStackWindow final : public WindowBase {
public:
    static constexpr wchar_t kCaption[] = L"Quillmark - Network stack";

    struct Options {
        std::wstring machine;      // the computer read first; empty: this one
        bool endsProgram = false;  // opened alone (/inventory): closing it ends the message loop
        // How a source is read: the engine; tests hand in a read of their own.
        InventoryReader::ReadFunction read = [](const inventory::Source& source,
                                                const inventory::InventoryProgress& progress) {
            return inventory::ReadSource(source, progress);
        };
    };

    // Creates and shows the window and starts the first read; null when the
    // window cannot be made.
    static std::unique_ptr<NetworkStackWindow> Create(HINSTANCE instance, Options options);
    ~NetworkStackWindow() override;

    HWND Control(int id) const noexcept { return GetDlgItem(hWnd(), id); }
    bool Reading() const noexcept { return reader_ && reader_->Reading(); }

    // Reads the computer the box names (this one when it is empty); while a
    // read runs, does nothing.
    void Refresh();
    // The header and the focused row, or the selected rows (all when none is
    // selected), as tab-separated lines on the clipboard.
    void CopyRows(bool focusedOnly);
    // Writes the report shown in a format, byte for byte what
    // quillmark-inventory.exe writes for it (the text view with Windows' own
    // entries when the box is ticked). When it cannot, the window says why,
    // keeps what it shows, and the answer is false.
    bool SaveAs(const std::wstring& path, inventory::Format format);

private:
    explicit NetworkStackWindow(Options options);

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void OnCreate();
    void CreateControls();
    void OnCommand(int id, int code);
    LRESULT OnNotify(NMHDR& header);
    LRESULT OnCtlColorStatic(HDC hdc, HWND control);
    void OnMinMaxInfo(MINMAXINFO& info) const;
    void OnClose();
    void OnProgress(std::size_t done, std::size_t total);
    void OnReadDone();
    void OnEnter();
    void OnSaveCommand();
    void ShowReport();
    void ShowSortArrows() const;
    void SetStatus(const std::wstring& text, bool failure);
    void Layout();

    Options options_;
    std::unique_ptr<InventoryReader> reader_;
    std::optional<inventory::Report> report_;
    InventoryTable table_;
    UniqueFont font_;
    UniqueFont boldFont_;
    ComPtr<IFont> barFont_;
    PictureBox progressBox_;
    std::unique_ptr<cProgressBar> bar_;
    Accelerators accelerators_;
    int lineHeightPx_ = 16;
    int verdictLines_ = 1;
    bool verdictsFound_ = false;
    bool statusIsFailure_ = false;
    KeptFocus focus_;
};
