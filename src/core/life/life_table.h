#pragma once
// The life table of a set of individuals and its estimates. For a cohort
// of n0 individuals (counted with multiplicity), N_x are those alive at age
// x, E_x their eggs that day, s the female share of the offspring:
//   l_x = N_x / n0, m_x = s E_x / N_x (0 where N_x = 0),
//   R0 = sum l_x m_x, GRR = sum m_x, r the root of sum e^(-r x) l_x m_x = 1,
//   lambda = e^r, T = ln R0 / r (sum x l_x m_x / R0 where r = 0).
// Where R0 = 0 there is no r and no T, and lambda is 0.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/life/records.h"

namespace cpt::life {

enum class LifeParameter { R, Lambda, R0, T, GRR, Longevity, Fecundity };
inline constexpr std::array<LifeParameter, 7> AllLifeParameters{LifeParameter::R,   LifeParameter::Lambda,
                                                                LifeParameter::R0,  LifeParameter::T,
                                                                LifeParameter::GRR, LifeParameter::Longevity,
                                                                LifeParameter::Fecundity};
inline constexpr std::array<LifeParameter, 5> DefaultLifeParameters{
    LifeParameter::R, LifeParameter::Lambda, LifeParameter::R0, LifeParameter::T, LifeParameter::GRR};

// "r", "lambda", "R0", "T", "GRR", "longevity", "fecundity": the codes of the
// bootstrap files' headings.
std::string_view parameterCode(LifeParameter parameter);
std::optional<LifeParameter> parameterOfCode(std::string_view code);

enum class Cohort { All, Females };

struct Estimates {
    std::optional<double> r, lambda, R0, T, GRR, longevity, fecundity;

    std::optional<double> of(LifeParameter parameter) const;
};

struct LifeTableRow {
    double age = 0;
    std::optional<double> N, E;  // none in an aggregate table
    double lx = 0, mx = 0, lxmx = 0;
};

struct LifeTable {
    std::vector<LifeTableRow> rows;  // by age
    Estimates estimates;
};

// The root r of sum_k e^(-r ages[k]) weights[k] = 1 (weights > 0, ages >= 0),
// bracketed and narrowed until the bracket no longer shrinks, the end with the
// smaller residual kept. None where the sum never reaches 1 from above and
// below (no weight at a positive age, or the weight at age 0 alone of at least 1).
std::optional<double> eulerLotkaRoot(std::span<const double> ages, std::span<const double> weights);

// The individuals of a treatment's cohort, in order: every one, or the females.
std::vector<const Individual*> cohortOf(const TreatmentRecords& treatment, Cohort cohort);

// The life table of the cohort, each individual once; s in (0, 1].
LifeTable lifeTableOf(std::span<const Individual* const> cohort, double femaleOffspring);
// The life table an aggregate table gives (age as written; its mx as given).
LifeTable aggregateLifeTable(std::span<const AgeRow> rows);

// The estimates of a sample drawn from a cohort, each individual counted as
// often as it was drawn, without building its table: what the bootstrap
// computes for every replicate. The table of each individual once gives the
// same estimates, to the bit, as lifeTableOf.
class SampleEstimator {
public:
    SampleEstimator(std::span<const Individual* const> cohort, double femaleOffspring);

    // counts[i]: the times individual i of the cohort is in the sample; their sum is n0.
    Estimates estimate(std::span<const std::uint32_t> counts);
    std::size_t cohortSize() const { return days_.size(); }

private:
    struct Layer {
        std::size_t individual;
        std::size_t firstDay;  // 0-based: eggs from age firstDay + 1
        std::vector<double> eggs;
    };
    double femaleOffspring_;
    std::size_t maxAge_ = 0;
    std::vector<std::uint32_t> days_;
    std::vector<std::uint8_t> female_;
    std::vector<double> totalEggs_;
    std::vector<Layer> layers_;  // the individuals that laid eggs
    // Room kept between samples.
    std::vector<double> N_, E_, ages_, weights_;
};

}  // namespace cpt::life
