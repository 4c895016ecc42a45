#include "runconfig/SystemLocale.h"

#include <cctype>
#include <cstdlib>
#include <string_view>

namespace mb {
namespace {

struct LocaleId {
    std::string_view name;
    int id;
};

// Language and territory; looked up first.
constexpr LocaleId kTerritories[] = {
    {"en_US", 1033}, {"en_GB", 2057}, {"en_AU", 3081},  {"en_CA", 4105},  {"en_NZ", 5129},
    {"en_IE", 6153}, {"en_ZA", 7177}, {"en_PH", 13321}, {"de_DE", 1031},  {"de_CH", 2055},
    {"de_AT", 3079}, {"de_LU", 4103}, {"de_LI", 5127},  {"fr_FR", 1036},  {"fr_BE", 2060},
    {"fr_CA", 3084}, {"fr_CH", 4108}, {"fr_LU", 5132},  {"fr_MC", 6156},  {"zh_CN", 2052},
    {"zh_TW", 1028}, {"zh_HK", 3076}, {"zh_SG", 4100},  {"zh_MO", 5124},  {"es_ES", 3082},
    {"es_MX", 2058}, {"es_CO", 9226}, {"es_AR", 11274}, {"es_CL", 13322}, {"it_IT", 1040},
    {"it_CH", 2064}, {"pt_BR", 1046}, {"pt_PT", 2070},  {"nl_NL", 1043},  {"nl_BE", 2067},
    {"sv_SE", 1053}, {"sv_FI", 2077}, {"ko_KR", 1042},  {"ja_JP", 1041},  {"ru_RU", 1049},
};

// Language alone; the id of the language's main territory.
constexpr LocaleId kLanguages[] = {
    {"en", 1033}, {"de", 1031}, {"fr", 1036}, {"zh", 2052}, {"es", 3082}, {"it", 1040},
    {"pt", 1046}, {"nl", 1043}, {"sv", 1053}, {"ko", 1042}, {"ja", 1041}, {"ru", 1049},
    {"ar", 1025}, {"bg", 1026}, {"ca", 1027}, {"cs", 1029}, {"da", 1030}, {"el", 1032},
    {"fi", 1035}, {"he", 1037}, {"hu", 1038}, {"is", 1039}, {"nb", 1044}, {"no", 1044},
    {"nn", 2068}, {"pl", 1045}, {"ro", 1048}, {"hr", 1050}, {"sk", 1051}, {"th", 1054},
    {"tr", 1055}, {"id", 1057}, {"uk", 1058}, {"sl", 1060}, {"et", 1061}, {"lv", 1062},
    {"lt", 1063}, {"fa", 1065}, {"vi", 1066}, {"eu", 1069}, {"hi", 1081},
};

constexpr int kEnglishUnitedStates = 1033;

template <size_t N> int Find(const LocaleId (&table)[N], std::string_view name) {
    for (const LocaleId& entry : table) {
        if (entry.name == name)
            return entry.id;
    }
    return 0;
}

} // namespace

int LocaleIdFromName(const std::string& locale) {
    // "language[_territory][.codeset][@modifier]"
    std::string_view name(locale);
    name = name.substr(0, name.find_first_of(".@"));
    std::string language(name.substr(0, name.find('_')));
    for (char& c : language)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string full = language;
    if (size_t underscore = name.find('_'); underscore != std::string_view::npos) {
        full += '_';
        for (char c : name.substr(underscore + 1))
            full += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (int id = Find(kTerritories, full))
        return id;
    if (int id = Find(kLanguages, language))
        return id;
    return kEnglishUnitedStates;
}

int SystemDefaultLocaleId() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return LocaleIdFromName(value);
    }
    return kEnglishUnitedStates;
}

} // namespace mb
