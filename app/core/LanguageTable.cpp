#include "app/core/LanguageTable.h"

#include <array>
#include <string>

namespace {

// Each row: the language id in four hexadecimal digits, a blank, the name.
constexpr std::array<const char*, 153> kRows = {
    "0436 Afrikaans",
    "041C Albanian",
    "0401 Arabic (Saudi Arabia)",
    "0801 Arabic (Iraq)",
    "0C01 Arabic (Egypt)",
    "1001 Arabic (Libya)",
    "1401 Arabic (Algeria)",
    "1801 Arabic (Morocco)",
    "1C01 Arabic (Tunisia)",
    "2001 Arabic (Oman)",
    "2401 Arabic (Yemen)",
    "2801 Arabic (Syria)",
    "2C01 Arabic (Jordan)",
    "3001 Arabic (Lebanon)",
    "3401 Arabic (Kuwait)",
    "3801 Arabic (U.A.E.)",
    "3C01 Arabic (Bahrain)",
    "4001 Arabic (Qatar)",
    "042b Armenian",
    "044d Assamese",
    "042c Azeri (Latin)",
    "082c Azeri (Cyrillic)",
    "042D Basque",
    "0423 Belarussian",
    "0445 Bengali",
    "0402 Bulgarian",
    "0403 Catalan",
    "0404 Chinese (Taiwan)",
    "0804 Chinese (PRC)",
    "0C04 Chinese (Hong Kong SAR)",
    "1004 Chinese (Singapore)",
    "1404 Chinese (Macau SAR)",
    "041a Croatian",
    "0405 Czech",
    "0406 Danish",
    "0413 Dutch (Netherlands)",
    "0813 Dutch (Belgium)",
    "0409 English (United States)",
    "0809 English (United Kingdom)",
    "0c09 English (Australia)",
    "1009 English (Canada)",
    "1409 English (New Zealand)",
    "1809 English (Ireland)",
    "1c09 English (South Africa)",
    "2009 English (Jamaica)",
    "2409 English (Caribbean)",
    "2809 English (Belize)",
    "2c09 English (Trinidad)",
    "3009 English (Zimbabwe)",
    "3409 English (Philippines)",
    "0425 Estonian",
    "0438 Faeroese",
    "0429 Farsi",
    "040b Finnish",
    "040c French (France)",
    "080c French (Belgium)",
    "0c0c French (Canada)",
    "100c French (Switzerland)",
    "140c French (Luxembourg)",
    "180c French (Monaco)",
    "0437 Georgian",
    "0407 German (Germany)",
    "0807 German (Switzerland)",
    "0c07 German (Austria)",
    "1007 German (Luxembourg)",
    "1407 German (Liechtenstein)",
    "0408 Greek",
    "0447 Gujarati",
    "040D Hebrew",
    "0439 Hindi",
    "040e Hungarian",
    "040F Icelandic",
    "0421 Indonesian",
    "0410 Italian (Italy)",
    "0810 Italian (Switzerland)",
    "0411 Japanese",
    "044b Kannada",
    "0860 Kashmiri",
    "043f Kazakh",
    "0457 Konkani",
    "0412 Korean",
    "0812 Korean (Johab)",
    "0426 Latvian",
    "0427 Lithuanian",
    "0827 Lithuanian (Classic)",
    "042f FYOR",
    "043e Malaysian",
    "083e Malay Brunei Darussalam",
    "044c Malayalam",
    "044e Marathi",
    "0461 Nepali (Nepal)",
    "0861 Nepali (India)",
    "0414 Norwegian (Bokmal)",
    "0814 Norwegian (Nynorsk)",
    "0448 Oriya",
    "0415 Polish",
    "0416 Portuguese (Brazil)",
    "0816 Portuguese (Portugal)",
    "0446 Punjabi",
    "0417 Rhaeto-Romanic",
    "0418 Romanian",
    "0818 Romanian (Moldova)",
    "0419 Russian",
    "0819 Russian (Moldova)",
    "043b Sami",
    "044f Sanskrit",
    "0c1a Serbian (Cyrillic)",
    "081a Serbian (Latin)",
    "0459 Sindhi",
    "041b Slovak",
    "0424 Slovenian",
    "042e Sorbian",
    "040a Spanish (Spain - Traditional Sort)",
    "080a Spanish (Mexico)",
    "0c0a Spanish (Spain - Modern Sort)",
    "100a Spanish (Guatemala)",
    "140a Spanish (Costa Rica)",
    "180a Spanish (Panama)",
    "1c0a Spanish (Dominican Republic)",
    "200a Spanish (Venezuela)",
    "240a Spanish (Colombia)",
    "280a Spanish (Peru)",
    "2c0a Spanish (Argentina)",
    "300a Spanish (Ecuador)",
    "340a Spanish (Chile)",
    "380a Spanish (Uruguay)",
    "3c0a Spanish (Paraguay)",
    "400a Spanish (Bolivia)",
    "440a Spanish (El Salvador)",
    "480a Spanish (Honduras)",
    "4c0a Spanish (Nicaragua)",
    "500a Spanish (Puerto Rico)",
    "0430 Sutu",
    "0441 Swahili (Kenya)",
    "041D Swedish",
    "081d Swedish (Finland)",
    "0449 Tamil",
    "0444 Tatar (Tatarstan)",
    "044a Telugu",
    "041E Thai",
    "0431 Tsonga",
    "0432 Tswana",
    "041f Turkish",
    "0422 Ukrainian",
    "0420 Urdu (Pakistan)",
    "0820 Urdu (India)",
    "0443 Uzbek (Latin)",
    "0843 Uzbek (Cyrillic)",
    "0433 Venda",
    "042a Vietnamese",
    "0434 Xhosa",
    "043d Yiddish",
    "0435 Zulu",
};

} // namespace

namespace mb {

int LanguageCount() {
    return static_cast<int>(kRows.size());
}

std::string LanguageRowText(int position) {
    if (position < 0 || position >= LanguageCount())
        return {};
    return kRows[static_cast<size_t>(position)];
}

int LanguageIdAt(int position) {
    if (position < 0 || position >= LanguageCount())
        return 0;
    return static_cast<int>(std::stoul(std::string(kRows[static_cast<size_t>(position)], 4), nullptr, 16));
}

int LanguagePosition(int languageId) {
    for (int i = 0; i < LanguageCount(); ++i)
        if (LanguageIdAt(i) == languageId)
            return i;
    return -1;
}

} // namespace mb
