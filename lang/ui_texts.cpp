// The built-in American English texts. Their numbers are the keys of a language file's
// "Data" section; the texts stay exactly as users and translators have always seen them.
#include "lang.h"

const UiText UiTexts[] = {
    {0, "&About..."},
    {1, "&Enabled"},
    {2, "&Options..."},
    {3, "E&xit"},
    {10, "OK"},
    {11, "Cancel"},
    {20, "About Quindlet"},
    {21, "Allows your cursor to move continuously on reaching borders of the screen."},
    {30, "Options"},
    {31, "General"},
    {32, "Blocking"},
    {33, "Borders"},
    {40, "Interface Language"},
    {41, "&Language:"},
    {42, "Hot Keys"},
    {43, "&Enable/Disable Effect:"},
    {44, "&Show Options:"},
    {45, "E&xit Program:"},
    {46, "Startup"},
    {47, "&Run at Windows Startup"},
    {50, "Temporary Blocking"},
    {51, "&Don't Tranfer Cursor if LMB Pressed"},
    {52, "Right mouse button (RMB) intended for left-handed button configurations."},
    {53, "&Key to Prevent Cursor Transfer:"},
    {54, "None"},
    {55, "Ignorable Top Right Corner"},
    {56, "&Width:"},
    {57, "&Height:"},
    {58, "Set one of dimensions to 0 for cancelling neglect."},
    {59, "Gating"},
    {60, "&Use the Key Specified Above to Pass Cursor"},
    {61, "Works if cursor is blocked in top right corner or if left/right mouse button pressed."},
    {65, "&Disable Effect on Specified Borders:"},
    {66, "&Top"},
    {67, "&Left"},
    {68, "&Right"},
    {69, "&Bottom"},
    {70, "Wrap across &all monitors"},
    {71, "Ignorable Corners"},
    {72, "To&p left"},
    {73, "Top ri&ght"},
    {74, "B&ottom left"},
    {75, "Bottom rig&ht"},
    {76, "Don't wrap in &games and full-screen programs"},
    {77, "Wrap dela&y at a border (ms):"},
    {78, "Keep an auto-hidden ta&skbar reachable"},
    {79, "Don't wrap while these &programs are in front:"},
    {80, "Wrap only &with several monitors"},
    {81, "Push distan&ce at a border (counts):"},
};

const size_t UiTextCount = sizeof(UiTexts) / sizeof(UiTexts[0]);

const char* BuiltInText(int number) {
    for (size_t i = 0; i < UiTextCount; ++i)
        if (UiTexts[i].number == number) return UiTexts[i].text;
    return NULL;
}
