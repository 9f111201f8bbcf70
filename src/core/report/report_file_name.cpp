#include "core/report/report_file_name.h"

#include "core/common/clock.h"
#include "core/common/file_name_part.h"
#include "core/common/rounding.h"

namespace cpt {

std::string compactStamp(const DateTime& t) {
    return std::to_string(t.year) + std::to_string(t.month) + std::to_string(t.day) + "-" +
           std::to_string(t.hour) + std::to_string(t.minute) + std::to_string(t.second);
}

std::string reportFileName(std::string_view outputPrefix, std::string_view parameterCode, std::string_view code,
                           Clock& clock) {
    std::string name = std::string(outputPrefix) + " results-" + fileNamePart(std::string(parameterCode)) + "_";
    if (code == "1") return name + compactStamp(clock.now()) + ".txt";
    const long number = static_cast<long>(roundHalfEven(clock.random() * 1000));
    return name + fileNamePart(code) + " " + std::to_string(number) + ".txt";
}

std::string numberedFileName(std::string_view name, int number) {
    if (number == 1) return std::string(name);
    constexpr std::string_view Extension = ".txt";
    std::string_view stem = name;
    if (stem.ends_with(Extension)) stem.remove_suffix(Extension.size());
    return std::string(stem) + " (" + std::to_string(number) + ")" + std::string(Extension);
}

}  // namespace cpt
