#include "language.h"

#include "registry.h"
#include "text.h"

int LanguageFor(LANGID defaultLanguage, bool toggleRead, DWORD toggle) {
    int language = (defaultLanguage == 0x0411) ? kLanguageJapanese : kLanguageEnglish;
    if (toggleRead && toggle != 0) language = language ? kLanguageEnglish : kLanguageJapanese;
    return language;
}

int ChooseUiLanguageFor(LANGID deviceLanguage) {
    DWORD toggle = 0;
    LONG status = ReadRegistryDword(HKEY_CURRENT_USER, L"Software\\Quenbrook", L"LangToggle", &toggle);
    UiLanguage = LanguageFor(deviceLanguage, status == ERROR_SUCCESS, toggle);
    return UiLanguage;
}

int ChooseUiLanguage() { return ChooseUiLanguageFor(GetSystemDefaultLangID()); }
