#pragma once
#include <windows.h>

// The language rule: Japanese when the device's default language is Japanese (0x0411),
// inverted when LangToggle under HKCU\Software\Quenbrook is readable and non-zero.
int LanguageFor(LANGID defaultLanguage, bool toggleRead, DWORD toggle);

// Applies the rule to `deviceLanguage` and the registry, and stores the result in UiLanguage.
int ChooseUiLanguageFor(LANGID deviceLanguage);
// The same for the device's own default language.
int ChooseUiLanguage();
