#include "settings/ini_file.h"
#include "settings/number_parse.h"
#include "settings/settings_files.h"

namespace tavik {

namespace {

constexpr QStringView section = u"STATISTICS";
constexpr QStringView nameKey = u"NAME";
constexpr QStringView scoreKey = u"SCORE";
constexpr QStringView questionsKey = u"QUESTIONS";
constexpr QStringView rateKey = u"RATE";
constexpr QStringView gamesKey = u"NOG";

// Numbers are stored as Basic's Str prints them: a blank where a minus sign
// would stand.
QString counterText(std::int16_t value) {
    return (value >= 0 ? QStringLiteral(" ") : QString()) + QString::number(value);
}

} // namespace

bool readStatistics(SettingsState& settings, const SettingsPaths& paths) {
    const IniFile file(paths.statisticsFile);
    settings.userName = file.value(section, nameKey);
    settings.statScore = parseCounter(file.value(section, scoreKey));
    settings.statQuestions = parseCounter(file.value(section, questionsKey));
    settings.statRate = parseCounter(file.value(section, rateKey));
    settings.statGames = parseCounter(file.value(section, gamesKey));
    return file.hasSection(section);
}

bool writeStatistics(const SettingsState& settings, const SettingsPaths& paths) {
    IniFile file(paths.statisticsFile);
    file.setValue(section, nameKey, settings.userName);
    file.setValue(section, scoreKey, counterText(settings.statScore));
    file.setValue(section, questionsKey, counterText(settings.statQuestions));
    file.setValue(section, rateKey, counterText(settings.statRate));
    file.setValue(section, gamesKey, counterText(settings.statGames));
    return file.save();
}

} // namespace tavik
