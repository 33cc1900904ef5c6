#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ComPtr.h"
#include "FormControl.h"
#include "ThemeContainer.h"

// A window's collection of controls: one object per child window, in the
// window's own order, each at an address that stays put for the collection's
// life (the visual-style module keeps those addresses with its subclasses, so
// the collection must outlive the windows).
class FormControls final : public ThemeContainer {
public:
    FormControls() = default;
    FormControls(const FormControls&) = delete;
    FormControls& operator=(const FormControls&) = delete;

    // One control object per direct child of form, in creation order.
    void Collect(HWND form, const ComPtr<IFont>& font);

    std::vector<ThemeControl*> List() const;
    // The control object of a child window; null when there is none.
    const FormControl* Find(HWND hwnd) const noexcept;

    // The control holding the keyboard focus (or the one that contains the
    // focused window); null when the focus is outside the window.
    const ThemeControl* ActiveControl() const override;

private:
    HWND form_ = nullptr;
    std::vector<std::unique_ptr<FormControl>> controls_;
};
