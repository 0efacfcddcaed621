// A trackbar with a real-valued range, showing its value in a small sunken label (the echo)
// that it creates beside itself: to its right for a horizontal trackbar, above it for a
// vertical one. The trackbar's integer range is 0 to the step count; a vertical trackbar grows
// upwards (its top end is the maximum).
#pragma once

#include "platform/win/controls.h"

// The whole number a value stands for as its echo shows it: rounded to the echo's two
// decimals, then truncated toward zero (3.9 -> 3, -2.7 -> -2). A trackbar step that lands just
// below an integer (0.99998) shows as 1.00 and so stands for 1, not 0.
int TruncatedEchoValue(float value);

class TQRMFC_SliderCtrlWithEcho : public CSliderCtrl {
public:
    TQRMFC_SliderCtrlWithEcho();
    ~TQRMFC_SliderCtrlWithEcho() override;

    // Sets the range and the value, creating the echo on first use. Ignored unless the
    // trackbar's window exists, min < max and min <= initial <= max.
    void InitSlider(float min, float max, float initial);
    float GetValue() const;
    // Moves the thumb and refreshes the echo; false, changing nothing, outside the range.
    bool SetValue(float value);
    // Writes the value into the echo as " %.2f", with a decimal point whatever the locale.
    void UpdateEcho();
    bool IsVertical() const;
    // Called after each move by the user, with the new value.
    virtual void ValueChanged(float value);

protected:
    void HScroll(UINT code, UINT position) override;
    void VScroll(UINT code, UINT position) override;
    void OnShowWindow(BOOL show, UINT status) override;

private:
    void CreateEcho();
    int ValueToPosition(float value) const;
    float PositionToValue(int position) const;
    void Scrolled();

    int m_stepCount = 100000;
    float m_minimum = 0.0f;
    float m_span = 1.0f;
    CStatic m_echo;
};
