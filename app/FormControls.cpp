#include "FormControls.h"

void FormControls::Collect(HWND form, const ComPtr<IFont>& font) {
    form_ = form;
    controls_.clear();
    // The first child in the z-order is the first one created.
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        controls_.push_back(std::make_unique<FormControl>(child, *this, font));
}

std::vector<ThemeControl*> FormControls::List() const {
    std::vector<ThemeControl*> list;
    list.reserve(controls_.size());
    for (const auto& control : controls_) list.push_back(control.get());
    return list;
}

const FormControl* FormControls::Find(HWND hwnd) const noexcept {
    for (const auto& control : controls_)
        if (control->hWnd() == hwnd) return control.get();
    return nullptr;
}

const ThemeControl* FormControls::ActiveControl() const {
    for (HWND focus = GetFocus(); focus && focus != form_; focus = GetParent(focus))
        if (GetParent(focus) == form_) return Find(focus);
    return nullptr;
}
