// cartesianpt._core: the core's objects as Python sees them. Only
// conversion happens here; the calls into the core are in glue.h.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <limits>
#include <memory>

#include "core/common/user_error.h"
#include "core/life/life_files.h"
#include "glue.h"

namespace py = pybind11;
using namespace cptpy;

namespace {

// Looks for Ctrl-C from the waiting thread; the KeyboardInterrupt is kept
// to be raised once the workers have stopped.
class InterruptWatch {
public:
    Interrupted check() {
        return [this] {
            py::gil_scoped_acquire gil;
            if (PyErr_CheckSignals() == 0) return false;
            pending_ = std::make_unique<py::error_already_set>();
            return true;
        };
    }
    // With the GIL held, after the core has thrown Cancelled.
    [[noreturn]] void raise() {
        if (pending_) {
            pending_->restore();
            pending_.reset();
            throw py::error_already_set();
        }
        PyErr_SetNone(PyExc_KeyboardInterrupt);
        throw py::error_already_set();
    }

private:
    std::unique_ptr<py::error_already_set> pending_;
};

// Runs body without the GIL, Ctrl-C able to stop it.
template <typename Body>
auto interruptible(Body body) {
    InterruptWatch watch;
    try {
        py::gil_scoped_release released;
        return body(watch.check());
    } catch (const cpt::Cancelled&) {
        watch.raise();
    }
}

template <typename T>
py::array_t<T> column(std::size_t count) {
    return py::array_t<T>(static_cast<py::ssize_t>(count));
}

py::object lettersOf(const std::string& text) { return py::str(text); }

py::dict treatmentColumns(const cpt::CartesianResult& result) {
    const std::size_t count = result.treatments.size();
    // No letters when the groups outnumber them.
    const std::vector<std::string>& labels = result.letters.labels;
    auto number = column<std::int64_t>(count), n = column<std::int64_t>(count), b = column<std::int64_t>(count),
         entry = column<std::int64_t>(count);
    auto estimate = column<double>(count), mean = column<double>(count), se = column<double>(count);
    py::list name, code, letters, source;
    auto number_ = number.mutable_unchecked<1>(), n_ = n.mutable_unchecked<1>(), b_ = b.mutable_unchecked<1>(),
         entry_ = entry.mutable_unchecked<1>();
    auto estimate_ = estimate.mutable_unchecked<1>(), mean_ = mean.mutable_unchecked<1>(),
         se_ = se.mutable_unchecked<1>();
    for (std::size_t t = 0; t < count; ++t) {
        const cpt::TreatmentStatistics& s = result.treatments[t];
        const auto k = static_cast<py::ssize_t>(t);
        number_(k) = k + 1;
        entry_(k) = s.entry + 1;
        n_(k) = s.sampleSize;
        b_(k) = s.bootstrapNumber;
        estimate_(k) = s.estimate;
        mean_(k) = s.mean;
        se_(k) = s.sd;
        name.append(py::str(s.name));
        code.append(py::str(s.code));
        letters.append(labels.empty() ? py::object(py::none()) : lettersOf(labels[t].substr(1)));
        source.append(py::str(s.source));
    }
    py::dict columns;
    columns["number"] = number;
    columns["name"] = name;
    columns["code"] = code;
    columns["n"] = n;
    columns["B"] = b;
    columns["estimate"] = estimate;
    columns["mean"] = mean;
    columns["SE"] = se;
    columns["letters"] = letters;
    columns["source"] = source;
    columns["entry"] = entry;
    return columns;
}

py::dict pairColumns(const cpt::CartesianResult& result) {
    const std::size_t count = result.pairs.size();
    auto first = column<std::int64_t>(count), second = column<std::int64_t>(count);
    auto significant = column<std::int64_t>(count), insignificant = column<std::int64_t>(count);
    auto mean = column<double>(count), sd = column<double>(count), tLower = column<double>(count),
         tUpper = column<double>(count), pLower = column<double>(count), pUpper = column<double>(count),
         pValue = column<double>(count);
    py::list firstName, secondName;
    auto first_ = first.mutable_unchecked<1>(), second_ = second.mutable_unchecked<1>(),
         significant_ = significant.mutable_unchecked<1>(), insignificant_ = insignificant.mutable_unchecked<1>();
    auto mean_ = mean.mutable_unchecked<1>(), sd_ = sd.mutable_unchecked<1>(), tLower_ = tLower.mutable_unchecked<1>(),
         tUpper_ = tUpper.mutable_unchecked<1>(), pLower_ = pLower.mutable_unchecked<1>(),
         pUpper_ = pUpper.mutable_unchecked<1>(), pValue_ = pValue.mutable_unchecked<1>();
    std::vector<py::str> names;
    for (const cpt::TreatmentStatistics& s : result.treatments) names.emplace_back(s.name);
    for (std::size_t p = 0; p < count; ++p) {
        const cpt::PairOutcome& pair = result.pairs[p];
        const cpt::PairResult& r = pair.result;
        const auto k = static_cast<py::ssize_t>(p);
        first_(k) = pair.first + 1;
        second_(k) = pair.second + 1;
        firstName.append(names[static_cast<std::size_t>(pair.first)]);
        secondName.append(names[static_cast<std::size_t>(pair.second)]);
        mean_(k) = r.mean;
        sd_(k) = r.sd;
        tLower_(k) = r.tLower;
        tUpper_(k) = r.tUpper;
        pLower_(k) = r.percentileLower;
        pUpper_(k) = r.percentileUpper;
        significant_(k) = r.significant;
        insignificant_(k) = r.insignificant;
        pValue_(k) = r.pValue;
    }
    py::dict columns;
    columns["first"] = first;
    columns["second"] = second;
    columns["first_name"] = firstName;
    columns["second_name"] = secondName;
    columns["mean_difference"] = mean;
    columns["sd"] = sd;
    columns["t_lower"] = tLower;
    columns["t_upper"] = tUpper;
    columns["percentile_lower"] = pLower;
    columns["percentile_upper"] = pUpper;
    columns["significant"] = significant;
    columns["not_significant"] = insignificant;
    columns["p_value"] = pValue;
    return columns;
}

py::dict tidyColumns(const cpt::StudyTable& table) {
    const std::size_t count = table.tidyRows.size();
    auto n = column<std::int64_t>(count), b = column<std::int64_t>(count);
    auto estimate = column<double>(count), se = column<double>(count);
    auto n_ = n.mutable_unchecked<1>(), b_ = b.mutable_unchecked<1>();
    auto estimate_ = estimate.mutable_unchecked<1>(), se_ = se.mutable_unchecked<1>();
    py::list parameter, treatment, letters, cell;
    for (std::size_t r = 0; r < count; ++r) {
        const cpt::StudyTidyRow& row = table.tidyRows[r];
        const auto k = static_cast<py::ssize_t>(r);
        parameter.append(py::str(row.parameter));
        treatment.append(py::str(row.treatment));
        n_(k) = row.cell.sampleSize;
        b_(k) = row.cell.bootstrapNumber;
        estimate_(k) = row.cell.estimate;
        se_(k) = row.cell.standardError;
        letters.append(py::str(row.cell.letters));
        cell.append(py::str(row.cell.text));
    }
    py::dict columns;
    columns["parameter"] = parameter;
    columns["treatment"] = treatment;
    columns["n"] = n;
    columns["B"] = b;
    columns["estimate"] = estimate;
    columns["SE"] = se;
    columns["letters"] = letters;
    columns["cell"] = cell;
    return columns;
}

std::vector<std::string> pathTexts(const std::vector<std::filesystem::path>& paths) {
    std::vector<std::string> texts;
    for (const auto& path : paths) texts.push_back(path.string());
    return texts;
}

// A life-table result's columns: estimates, bootstrap (one row per
// replicate, NaN where it has no value) and life_table.
py::dict lifeColumns(const cpt::life::LifeResult& result) {
    using namespace cpt::life;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto value = [&](const std::optional<double>& v) { return v ? *v : nan; };
    py::list names, bootNames, tableNames;
    std::vector<double> n, replicate, age, N, lx, E, mx, lxmx;
    std::vector<std::vector<double>> estimates(DefaultLifeParameters.size()), boot(DefaultLifeParameters.size());
    for (const TreatmentResult& t : result.treatments) {
        names.append(t.name);
        n.push_back(t.aggregate ? nan : double(t.n0));
        for (std::size_t p = 0; p < DefaultLifeParameters.size(); ++p) {
            estimates[p].push_back(value(t.table.estimates.of(DefaultLifeParameters[p])));
        }
        for (const LifeTableRow& row : t.table.rows) {
            tableNames.append(t.name);
            age.push_back(row.age);
            N.push_back(value(row.N));
            lx.push_back(row.lx);
            E.push_back(value(row.E));
            mx.push_back(row.mx);
            lxmx.push_back(row.lxmx);
        }
        if (t.aggregate) continue;
        py::str name(t.name);
        for (std::int64_t b = 0; b < result.bootstrap; ++b) {
            bootNames.append(name);
            replicate.push_back(double(b + 1));
        }
        for (std::size_t p = 0; p < DefaultLifeParameters.size(); ++p) {
            const std::vector<double> values = replicateValues(t.parameters[p], result.bootstrap);
            boot[p].insert(boot[p].end(), values.begin(), values.end());
        }
    }
    auto array = [](const std::vector<double>& v) { return py::array_t<double>(static_cast<py::ssize_t>(v.size()), v.data()); };
    py::dict estimateColumns, bootColumns, table;
    estimateColumns["treatment"] = names;
    estimateColumns["n"] = array(n);
    bootColumns["treatment"] = bootNames;
    bootColumns["replicate"] = array(replicate);
    for (std::size_t p = 0; p < DefaultLifeParameters.size(); ++p) {
        const py::str code(std::string(parameterCode(DefaultLifeParameters[p])));
        estimateColumns[code] = array(estimates[p]);
        bootColumns[code] = array(boot[p]);
    }
    table["treatment"] = tableNames;
    table["age"] = array(age);
    table["N"] = array(N);
    table["lx"] = array(lx);
    table["E"] = array(E);
    table["mx"] = array(mx);
    table["lxmx"] = array(lxmx);
    py::dict columns;
    columns["estimates"] = estimateColumns;
    columns["bootstrap"] = bootColumns;
    columns["life_table"] = table;
    return columns;
}

// A DataFrame's column: float64 values written as they read back, or text.
cpt::life::RecordColumn recordColumn(const std::string& name, const py::object& cells) {
    cpt::life::RecordColumn column;
    column.name = name;
    if (py::isinstance<py::array>(cells)) {
        const auto numbers = cells.cast<py::array_t<double, py::array::c_style | py::array::forcecast>>();
        for (py::ssize_t i = 0; i < numbers.size(); ++i) column.cells.push_back(cpt::life::recordCell(numbers.data()[i]));
    } else {
        column.cells = cells.cast<std::vector<std::string>>();
    }
    return column;
}

}  // namespace

PYBIND11_MODULE(_core, m) {
    m.doc() = "The Cartesian paired test's C++ core (cpt's own), as cartesianpt uses it.";
    static py::exception<cpt::UserError> inputError(m, "InputError", PyExc_ValueError);
    py::register_exception_translator([](std::exception_ptr failure) {
        try {
            if (failure) std::rethrow_exception(failure);
        } catch (const cpt::UserError& error) {
            inputError(error.what());
        } catch (const cpt::Cancelled&) {
            PyErr_SetNone(PyExc_KeyboardInterrupt);
        }
    });

    py::class_<HeldTreatment, TreatmentPointer>(m, "Treatment",
                                                "One bootstrap treatment: its name, parameter code, sample size n, "
                                                "full-sample estimate and bootstrap values.")
        .def_property_readonly("name", [](const HeldTreatment& h) { return h.treatment.name; })
        .def_property_readonly("code", [](const HeldTreatment& h) { return h.treatment.code; },
                               "The parameter code, as \"r\" or \"R0\".")
        .def_property_readonly("n", [](const HeldTreatment& h) { return h.treatment.sampleSize; },
                               "The sample size of the full sample.")
        .def_property_readonly("estimate", [](const HeldTreatment& h) { return h.treatment.estimate; },
                               "The parameter's estimate from the full sample.")
        .def_property_readonly("B", [](const HeldTreatment& h) { return h.treatment.values.size(); },
                               "The number of bootstrap values.")
        .def_property_readonly(
            "values",
            [](py::object self) {
                const HeldTreatment& h = self.cast<const HeldTreatment&>();
                // A view of the treatment's own storage, kept alive by it.
                py::array_t<double> values(static_cast<py::ssize_t>(h.treatment.values.size()),
                                           h.treatment.values.data(), self);
                values.attr("flags").attr("writeable") = false;
                return values;
            },
            "The bootstrap values: a read-only float64 array over the treatment's own storage.")
        .def_property_readonly("source", [](const HeldTreatment& h) { return h.treatment.source; },
                               "Where the values came from: a path, or a column or sheet of one.")
        .def_property_readonly("file",
                               [](const HeldTreatment& h) -> py::object {
                                   if (h.file.empty()) return py::none();
                                   return py::str(h.file);
                               },
                               "The absolute path of the file read, or None.")
        .def_property_readonly("transformation",
                               [](const HeldTreatment& h) { return transformationName(h.treatment.transformation); })
        .def("__repr__", [](const HeldTreatment& h) {
            return "<Treatment \"" + h.treatment.name + "\" of " + h.treatment.code +
                   ": n = " + std::to_string(h.treatment.sampleSize) +
                   ", B = " + std::to_string(h.treatment.values.size()) + ">";
        });

    py::class_<Run, RunPointer>(m, "_Run")
        .def_readonly("began", &Run::began)
        .def_readonly("ended", &Run::ended)
        .def_property_readonly("reversed", [](const Run& r) { return r.request.reversed; })
        .def_property_readonly("transformation",
                               [](const Run& r) { return transformationName(r.request.transformation); })
        .def("columns", [](const Run& r) {
            const cpt::CartesianResult& result = r.result;
            py::dict value;
            value["treatments"] = treatmentColumns(result);
            value["pairs"] = pairColumns(result);
            value["F"] = result.anova.f ? py::object(py::float_(*result.anova.f)) : py::object(py::none());
            value["df_between"] = result.anova.dfBetween;
            value["df_within"] = result.anova.dfWithin;
            value["sidak_alpha"] = result.sidakAlpha;
            value["parameter"] = result.parameterCode;
            return value;
        });

    py::class_<cpt::StudyTable, std::shared_ptr<cpt::StudyTable>>(m, "_Study")
        .def_readonly("treatments", &cpt::StudyTable::treatments)
        .def_readonly("note", &cpt::StudyTable::note)
        .def("columns", [](const cpt::StudyTable& table) { return tidyColumns(table); });

    m.def(
        "read_files",
        [](const std::vector<std::string>& paths, std::optional<std::string> parameter,
           std::optional<std::string> sheet, std::optional<std::int32_t> sampleSize,
           const std::map<std::string, std::int32_t>& sampleSizes, const std::map<std::string, double>& estimates,
           const std::string& transformation) {
            ReadRequest request;
            request.paths = paths;
            request.parameter = std::move(parameter);
            request.sheet = std::move(sheet);
            request.sampleSize = sampleSize;
            request.sampleSizes.insert(sampleSizes.begin(), sampleSizes.end());
            request.estimates.insert(estimates.begin(), estimates.end());
            request.transformation = transformationNamed(transformation);
            py::gil_scoped_release released;
            return readFiles(request);
        },
        py::arg("paths"), py::arg("parameter"), py::arg("sheet"), py::arg("sample_size"), py::arg("sample_sizes"),
        py::arg("estimates"), py::arg("transformation"));

    m.def(
        "read_again",
        [](const std::vector<TreatmentPointer>& treatments, const std::string& transformation) {
            const cpt::Transformation applied = transformationNamed(transformation);
            py::gil_scoped_release released;
            return readAgain(treatments, applied);
        },
        py::arg("treatments"), py::arg("transformation"));

    m.def(
        "read_parameter_groups",
        [](const std::vector<std::string>& paths) {
            std::vector<ParameterGroup> groups;
            {
                py::gil_scoped_release released;
                groups = readParameterGroups(paths);
            }
            py::list value;
            for (ParameterGroup& group : groups) value.append(py::make_tuple(group.parameter, group.treatments));
            return value;
        },
        py::arg("paths"));

    m.def(
        "make_treatment",
        [](std::size_t place, std::string name, std::string code, std::int32_t n, double estimate,
           py::array_t<double, py::array::c_style | py::array::forcecast> values) {
            if (values.ndim() != 1) {
                throw cpt::UserError("Treatment " + std::to_string(place) + " (\"" + name +
                                     "\"): the values must be one-dimensional.");
            }
            return treatmentOf(place, std::move(name), std::move(code), n, estimate, values.data(),
                               static_cast<std::size_t>(values.size()));
        },
        py::arg("place"), py::arg("name"), py::arg("code"), py::arg("n"), py::arg("estimate"), py::arg("values"));

    m.def(
        "run",
        [](std::vector<TreatmentPointer> treatments, bool reversed, const std::string& transformation, int threads) {
            RunRequest request;
            request.treatments = std::move(treatments);
            request.reversed = reversed;
            request.transformation = transformationNamed(transformation);
            request.threads = threads;
            return interruptible(
                [&](const Interrupted& interrupted) { return std::make_shared<Run>(runAndKeep(request, interrupted)); });
        },
        py::arg("treatments"), py::arg("reversed"), py::arg("transformation"), py::arg("threads"));

    m.def(
        "write_report",
        [](RunPointer run, const std::string& folder, const std::string& code, const std::string& fixedTime,
           bool differences) {
            ReportRequest request;
            request.folder = std::filesystem::absolute(folder).lexically_normal();
            request.code = code;
            request.fixedTime = fixedTime;
            request.differences = differences;
            const WrittenReport written = interruptible(
                [&](const Interrupted& interrupted) { return writeReport(*run, request, interrupted); });
            return py::make_tuple(written.report.string(), pathTexts(written.differenceFiles));
        },
        py::arg("run"), py::arg("folder"), py::arg("code"), py::arg("fixed_time"), py::arg("differences"));

    m.def(
        "study",
        [](std::vector<RunPointer> runs, std::vector<std::string> parameters, std::vector<std::string> order,
           int digits) {
            StudyRequest request;
            request.runs = std::move(runs);
            request.parameters = std::move(parameters);
            request.order = std::move(order);
            request.digits = digits;
            return std::make_shared<cpt::StudyTable>(studyTableOf(request));
        },
        py::arg("runs"), py::arg("parameters"), py::arg("order"), py::arg("digits"));

    m.def(
        "write_study",
        [](std::shared_ptr<cpt::StudyTable> table, const std::string& folder, const std::vector<std::string>& formats,
           const std::string& fixedTime) {
            std::vector<std::filesystem::path> written;
            {
                py::gil_scoped_release released;
                written = writeStudyTable(*table, folder, formats, fixedTime);
            }
            return pathTexts(written);
        },
        py::arg("table"), py::arg("folder"), py::arg("formats"), py::arg("fixed_time"));

    py::class_<cpt::life::LifeResult, std::shared_ptr<cpt::life::LifeResult>>(m, "_Life")
        .def_readonly("bootstrap", &cpt::life::LifeResult::bootstrap)
        .def_readonly("notes", &cpt::life::LifeResult::notes)
        .def("columns", [](const cpt::life::LifeResult& result) { return lifeColumns(result); })
        .def("parameters",
             [](const cpt::life::LifeResult& result) {
                 std::vector<std::string> codes;
                 for (const auto parameter : cpt::life::writtenParameters(result)) {
                     codes.emplace_back(cpt::life::parameterCode(parameter));
                 }
                 return codes;
             })
        .def("treatments", [](const cpt::life::LifeResult& result, const std::string& code) {
            return lifeTreatments(result, code);
        })
        .def("write", [](const cpt::life::LifeResult& result, const std::string& folder) {
            std::vector<std::filesystem::path> written;
            {
                py::gil_scoped_release released;
                written = cpt::life::writeLifeFiles(result, std::filesystem::absolute(folder).lexically_normal());
            }
            return pathTexts(written);
        });

    m.def(
        "life_table",
        [](std::optional<std::vector<std::pair<std::string, py::object>>> frame, std::vector<std::string> paths,
           std::int64_t bootstrap, std::uint64_t seed, std::string cohort, double femaleOffspring,
           std::string zeroOffspring, int threads) {
            LifeRequest request;
            if (frame) {
                request.columns.emplace();
                for (const auto& [name, cells] : *frame) request.columns->push_back(recordColumn(name, cells));
            }
            request.paths = std::move(paths);
            request.bootstrap = bootstrap;
            request.seed = seed;
            request.cohort = std::move(cohort);
            request.femaleOffspring = femaleOffspring;
            request.zeroOffspring = std::move(zeroOffspring);
            request.threads = threads;
            return interruptible([&](const Interrupted& interrupted) {
                return std::make_shared<cpt::life::LifeResult>(runLife(request, interrupted));
            });
        },
        py::arg("frame"), py::arg("paths"), py::arg("bootstrap"), py::arg("seed"), py::arg("cohort"),
        py::arg("female_offspring"), py::arg("zero_offspring"), py::arg("threads"));

    m.attr("DEFAULT_STUDY_DIGITS") = cpt::DefaultStudyDigits;
}
