#include "core/life/life_files.h"

#include <functional>
#include <system_error>

#include "core/common/fast_record_number.h"
#include "core/common/file_name_part.h"
#include "core/common/number_format.h"
#include "core/common/output_file.h"
#include "core/common/pending_file.h"
#include "core/common/user_error.h"

namespace cpt::life {
namespace {

// As many numbered names as the report files try.
constexpr int MaxNameNumber = 1000;

std::string numbered(std::string stem, std::string_view extension, int number) {
    if (number != 1) stem += " (" + std::to_string(number) + ")";
    return stem + std::string(extension);
}

// The files written so far go again unless the whole set was written.
class WrittenSet {
public:
    WrittenSet() = default;
    WrittenSet(const WrittenSet&) = delete;
    WrittenSet& operator=(const WrittenSet&) = delete;
    ~WrittenSet() {
        if (kept_) return;
        for (const std::filesystem::path& path : paths) {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
        }
    }
    void keep() { kept_ = true; }
    std::vector<std::filesystem::path> paths;

private:
    bool kept_ = false;
};

// Writes one file under the first free name; a file is complete before the
// next is begun, so one output buffer is held at a time.
void writeNew(WrittenSet& set, const std::filesystem::path& folder, const std::function<std::string(int)>& name,
              const std::function<void(OutputFile&)>& write) {
    for (int number = 1; number <= MaxNameNumber; ++number) {
        PendingFile pending;
        if (!pending.openNew(folder / name(number))) continue;
        write(pending.file());
        pending.commit();
        set.paths.push_back(pending.path());
        return;
    }
    throw UserError("No free name for the file \"" + (folder / name(1)).string() + "\": \"" + name(1) +
                    "\" and its numbered names up to (" + std::to_string(MaxNameNumber) + ") are taken in the folder.");
}

}  // namespace

std::string bootstrapFileName(std::string_view treatment, LifeParameter parameter, int number) {
    return numbered(fileNamePart(treatment) + "-" + std::string(parameterCode(parameter)), ".txt", number);
}

std::string lifeTableFileName(std::string_view treatment, int number) {
    return numbered(fileNamePart(treatment) + "-life-table", ".csv", number);
}

namespace {

// The heading in the comma-record form: texts in double quotes, numbers in record form.
std::string headingOf(const TreatmentResult& treatment, const ParameterResult& parameter) {
    const std::string n0 = recordNumber(static_cast<double>(treatment.n0));
    std::string heading = "\"" + treatment.name + "\",\"Sample size\"," + n0 + ",\"Bootstrap number\"," +
                          recordNumber(static_cast<double>(parameter.values.size())) + ",\"" +
                          std::string(parameterCode(parameter.parameter)) + "\"," + n0 + "," +
                          recordNumber(*parameter.estimate) + "\r\n";
    return heading;
}

// Writes through any sink with write(std::string_view), a file or a text.
template <class Sink>
void emitValues(Sink& sink, const std::vector<double>& values) {
    char number[MaxNumberChars + 2];
    for (const double value : values) {
        int length = writeRecordNumberFast(value, number);
        number[length++] = '\r';
        number[length++] = '\n';
        sink.write(std::string_view(number, static_cast<std::size_t>(length)));
    }
}

template <class Sink>
void emitLifeTable(Sink& sink, const LifeTable& table) {
    sink.write("age,N,lx,E,mx,lxmx\r\n");
    for (const LifeTableRow& row : table.rows) {
        std::string line = textNumber(row.age);
        line += ',';
        if (row.N) line += textNumber(*row.N);
        line += ',' + textNumber(row.lx) + ',';
        if (row.E) line += textNumber(*row.E);
        line += ',' + textNumber(row.mx) + ',' + textNumber(row.lxmx) + "\r\n";
        sink.write(line);
    }
}

struct TextSink {
    std::string& text;
    void write(std::string_view part) { text.append(part); }
};

}  // namespace

void writeBootstrapFile(OutputFile& file, const TreatmentResult& treatment, const ParameterResult& parameter) {
    file.write(headingOf(treatment, parameter));
    emitValues(file, parameter.values);
}

void writeLifeTable(OutputFile& file, const LifeTable& table) { emitLifeTable(file, table); }

std::string bootstrapFileText(const TreatmentResult& treatment, const ParameterResult& parameter) {
    std::string text = headingOf(treatment, parameter);
    text.reserve(text.size() + parameter.values.size() * 20);
    TextSink sink{text};
    emitValues(sink, parameter.values);
    return text;
}

std::string lifeTableText(const LifeTable& table) {
    std::string text;
    TextSink sink{text};
    emitLifeTable(sink, table);
    return text;
}

std::vector<std::filesystem::path> writeLifeFiles(const LifeResult& result, const std::filesystem::path& folder) {
    WrittenSet set;
    for (const TreatmentResult& treatment : result.treatments) {
        for (const ParameterResult& parameter : treatment.parameters) {
            if (!parameter.written) continue;
            writeNew(
                set, folder, [&](int number) { return bootstrapFileName(treatment.name, parameter.parameter, number); },
                [&](OutputFile& file) { writeBootstrapFile(file, treatment, parameter); });
        }
        writeNew(
            set, folder, [&](int number) { return lifeTableFileName(treatment.name, number); },
            [&](OutputFile& file) { writeLifeTable(file, treatment.table); });
    }
    set.keep();
    return std::move(set.paths);
}

}  // namespace cpt::life
