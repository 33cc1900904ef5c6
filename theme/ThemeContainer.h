#pragma once

class ThemeControl;

// The window that holds the controls, as the visual-style module reads it.
class ThemeContainer {
public:
    virtual ~ThemeContainer() = default;
    // The control that has (or last had) the keyboard focus; null when none.
    virtual const ThemeControl* ActiveControl() const = 0;
};
