#include "core/life/life_table.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace cpt::life {
namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

// The estimates that follow from R0 and the ages with offspring.
void completeEstimates(Estimates& estimates, double R0, double GRR, std::span<const double> ages,
                       std::span<const double> weights) {
    estimates.R0 = R0;
    estimates.GRR = GRR;
    if (R0 == 0) {
        estimates.lambda = 0.0;
        return;
    }
    estimates.r = eulerLotkaRoot(ages, weights);
    if (!estimates.r) return;
    estimates.lambda = std::exp(*estimates.r);
    if (*estimates.r == 0) {
        // R0 = 1: ln R0 / r is 0 / 0; the mean age of the offspring instead.
        double sum = 0;
        for (std::size_t k = 0; k < ages.size(); ++k) sum += ages[k] * weights[k];
        estimates.T = sum / R0;
    } else {
        estimates.T = std::log(R0) / *estimates.r;
    }
}

// Whole ages in ascending order (as records give them) let e^(-r x) be a
// power of e^-r: Newton's steps on that cheaper sum come within a few bits
// of the root, and the sum of exponentials then takes the last steps. The
// root is still the one of the sum of exponentials, found from nearer by.
double nearRoot(std::span<const double> ages, std::span<const double> weights, double guess) {
    double previous = 0;
    for (const double age : ages) {
        if (age != std::floor(age) || age < previous || age > 1e5) return guess;
        previous = age;
    }
    double x = guess;
    for (int step = 0; step < 60; ++step) {
        const double q = std::exp(-x);
        double power = 1, at = 0, sum = 0, moment = 0;
        for (std::size_t k = 0; k < ages.size(); ++k) {
            for (; at < ages[k]; at += 1) power *= q;
            const double term = weights[k] * power;
            sum += term;
            moment += ages[k] * term;
        }
        const double next = x + (sum - 1) / moment;
        if (!std::isfinite(next)) return guess;
        if (std::fabs(next - x) <= 1e-13 * std::max(1.0, std::fabs(x))) return next;
        x = next;
    }
    return guess;
}

}  // namespace

std::string_view parameterCode(LifeParameter parameter) {
    switch (parameter) {
        case LifeParameter::R: return "r";
        case LifeParameter::Lambda: return "lambda";
        case LifeParameter::R0: return "R0";
        case LifeParameter::T: return "T";
        case LifeParameter::GRR: return "GRR";
        case LifeParameter::Longevity: return "longevity";
        case LifeParameter::Fecundity: return "fecundity";
    }
    return "";
}

std::optional<LifeParameter> parameterOfCode(std::string_view code) {
    for (LifeParameter parameter : AllLifeParameters) {
        if (parameterCode(parameter) == code) return parameter;
    }
    return std::nullopt;
}

std::optional<double> Estimates::of(LifeParameter parameter) const {
    switch (parameter) {
        case LifeParameter::R: return r;
        case LifeParameter::Lambda: return lambda;
        case LifeParameter::R0: return R0;
        case LifeParameter::T: return T;
        case LifeParameter::GRR: return GRR;
        case LifeParameter::Longevity: return longevity;
        case LifeParameter::Fecundity: return fecundity;
    }
    return std::nullopt;
}

std::optional<double> eulerLotkaRoot(std::span<const double> ages, std::span<const double> weights) {
    double R0 = 0, atZero = 0, ageSum = 0;
    bool anyPositive = false;
    for (std::size_t k = 0; k < ages.size(); ++k) {
        R0 += weights[k];
        ageSum += ages[k] * weights[k];
        if (ages[k] > 0 && weights[k] > 0) {
            anyPositive = true;
        } else if (ages[k] == 0) {
            atZero += weights[k];
        }
    }
    if (!anyPositive || atZero >= 1) return std::nullopt;

    // f(r) = sum e^(-r x) w - 1 falls from +inf to atZero - 1 < 0 and is
    // convex: Newton's steps, kept inside the bracket, come at the root from
    // below; the last one is a step to the neighbouring double.
    auto f = [&](double r, double& slope) {
        double sum = 0, moment = 0;
        for (std::size_t k = 0; k < ages.size(); ++k) {
            const double term = weights[k] * std::exp(-r * ages[k]);
            sum += term;
            moment += ages[k] * term;
        }
        slope = -moment;
        return sum - 1;
    };
    double lo = -Infinity, hi = Infinity, fLo = Infinity, fHi = -Infinity;
    double x = 0;
    if (const double guess = std::log(R0) / (ageSum / R0); std::isfinite(guess)) x = guess;
    x = nearRoot(ages, weights, x);
    for (int step = 0; step < 5000; ++step) {
        double slope = 0;
        const double fx = f(x, slope);
        if (fx == 0) return x;
        if (fx > 0) {
            lo = x;
            fLo = fx;
        } else {
            hi = x;
            fHi = fx;
        }
        if (std::isfinite(lo) && std::isfinite(hi) && std::nextafter(lo, Infinity) >= hi) break;
        double next = x - fx / slope;
        if (next == x) next = std::nextafter(x, fx > 0 ? Infinity : -Infinity);
        if (!(next > lo && next < hi)) {
            if (std::isfinite(lo) && std::isfinite(hi)) {
                next = lo + (hi - lo) / 2;
            } else {
                const double away = std::max(1.0, std::fabs(x));
                next = std::isfinite(hi) ? x - away : x + away;
            }
        }
        if (!(next > lo && next < hi)) break;
        x = next;
    }
    if (!std::isfinite(lo) || !std::isfinite(hi)) return std::nullopt;
    return std::fabs(fHi) < std::fabs(fLo) ? hi : lo;
}

std::vector<const Individual*> cohortOf(const TreatmentRecords& treatment, Cohort cohort) {
    std::vector<const Individual*> chosen;
    for (const Individual& individual : treatment.individuals) {
        if (cohort == Cohort::All || individual.sex == Sex::Female) chosen.push_back(&individual);
    }
    return chosen;
}

SampleEstimator::SampleEstimator(std::span<const Individual* const> cohort, double femaleOffspring)
    : femaleOffspring_(femaleOffspring) {
    for (std::size_t i = 0; i < cohort.size(); ++i) {
        const Individual& individual = *cohort[i];
        days_.push_back(static_cast<std::uint32_t>(individual.eggs.size()));
        maxAge_ = std::max(maxAge_, individual.eggs.size());
        female_.push_back(individual.sex == Sex::Female ? 1 : 0);
        double total = 0;
        for (const double eggs : individual.eggs) total += eggs;
        totalEggs_.push_back(total);
        const auto first = std::find_if(individual.eggs.begin(), individual.eggs.end(), [](double e) { return e > 0; });
        if (first == individual.eggs.end()) continue;
        const auto last = std::find_if(individual.eggs.rbegin(), individual.eggs.rend(), [](double e) { return e > 0; });
        layers_.push_back(Layer{i, static_cast<std::size_t>(first - individual.eggs.begin()),
                                std::vector<double>(first, last.base())});
    }
    N_.resize(maxAge_ + 2);
    E_.resize(maxAge_ + 1);
    ages_.reserve(maxAge_);
    weights_.reserve(maxAge_);
}

Estimates SampleEstimator::estimate(std::span<const std::uint32_t> counts) {
    Estimates estimates;
    // Sums of whole counts and days are exact in doubles, in any order.
    std::fill(N_.begin(), N_.end(), 0.0);
    double n0 = 0, daysLived = 0, females = 0, femaleEggs = 0;
    // Without a branch on the counts (a third of them are 0, at random):
    // adding 0 changes none of the sums.
    for (std::size_t i = 0; i < days_.size(); ++i) {
        const auto weight = static_cast<double>(counts[i]);
        N_[days_[i]] += weight;  // those that died after day days_[i]
        n0 += weight;
        daysLived += weight * static_cast<double>(days_[i]);
        const double femaleWeight = weight * static_cast<double>(female_[i]);
        females += femaleWeight;
        femaleEggs += femaleWeight * totalEggs_[i];
    }
    std::fill(E_.begin(), E_.end(), 0.0);
    for (const Layer& layer : layers_) {
        const std::uint32_t c = counts[layer.individual];
        if (c == 0) continue;
        const auto weight = static_cast<double>(c);
        double* const E = E_.data() + layer.firstDay;
        const double* const eggs = layer.eggs.data();
        const std::size_t size = layer.eggs.size();
        for (std::size_t k = 0; k < size; ++k) E[k] += weight * eggs[k];
    }
    // N_[x] becomes those alive at age x (1-based): the suffix sums.
    for (std::size_t x = maxAge_; x >= 1; --x) N_[x] += N_[x + 1];
    ages_.clear();
    weights_.clear();
    double R0 = 0, GRR = 0;
    for (std::size_t x = 1; x <= maxAge_; ++x) {
        const double N = N_[x];
        if (N == 0) break;
        const double lx = N / n0;
        const double mx = femaleOffspring_ * E_[x - 1] / N;
        const double lxmx = lx * mx;
        R0 += lxmx;
        GRR += mx;
        if (lxmx > 0) {
            ages_.push_back(static_cast<double>(x));
            weights_.push_back(lxmx);
        }
    }
    completeEstimates(estimates, R0, GRR, ages_, weights_);
    estimates.longevity = daysLived / n0;
    if (females > 0) estimates.fecundity = femaleEggs / females;
    return estimates;
}

LifeTable lifeTableOf(std::span<const Individual* const> cohort, double femaleOffspring) {
    SampleEstimator estimator(cohort, femaleOffspring);
    const std::vector<std::uint32_t> once(cohort.size(), 1);
    LifeTable table;
    table.estimates = estimator.estimate(once);
    // The rows, by the estimator's own operations.
    std::size_t maxAge = 0;
    for (const Individual* individual : cohort) maxAge = std::max(maxAge, individual->eggs.size());
    const auto n0 = static_cast<double>(cohort.size());
    for (std::size_t x = 1; x <= maxAge; ++x) {
        double N = 0, E = 0;
        for (const Individual* individual : cohort) {
            if (individual->eggs.size() < x) continue;
            N += 1;
            E += individual->eggs[x - 1];
        }
        LifeTableRow row;
        row.age = static_cast<double>(x);
        row.N = N;
        row.E = E;
        row.lx = N / n0;
        row.mx = femaleOffspring * E / N;
        row.lxmx = row.lx * row.mx;
        table.rows.push_back(row);
    }
    return table;
}

LifeTable aggregateLifeTable(std::span<const AgeRow> rows) {
    LifeTable table;
    std::vector<double> ages, weights;
    double R0 = 0, GRR = 0;
    for (const AgeRow& given : rows) {
        LifeTableRow row;
        row.age = given.age;
        row.lx = given.lx;
        row.mx = given.mx;
        row.lxmx = given.lx * given.mx;
        R0 += row.lxmx;
        GRR += row.mx;
        if (row.lxmx > 0) {
            ages.push_back(row.age);
            weights.push_back(row.lxmx);
        }
        table.rows.push_back(row);
    }
    completeEstimates(table.estimates, R0, GRR, ages, weights);
    return table;
}

}  // namespace cpt::life
