#include "desktop_model/state/sayings.h"

namespace cpt {

const std::array<std::string_view, SayingCount> SayingTexts{
    "The important thing is not to stop questioning. (Albert Einstein)",
    "One never notices what has been done; one can only see what remains to be done. (Marie Curie)",
    "Science is organized knowledge. (Herbert Spencer)",
    "Reading maketh a full man; conference a ready man; and writing an exact man. (Francis Bacon)",
    "Genius is one per cent inspiration and ninety-nine per cent perspiration. (Thomas A. Edison)",
    "If I have seen further it is by standing on the shoulders of Giants. (Isaac Newton)",
    "A man who dares to waste one hour of time has not discovered the value of life. (Charles Darwin)",
    "The roots of education are bitter, but the fruit is sweet. (Aristotle)",
    "Lost time is never found again. (Benjamin Franklin)",
    "Nothing in biology makes sense except in the light of evolution. (Theodosius Dobzhansky)",
    "The great tragedy of Science: the slaying of a beautiful hypothesis by an ugly fact. (Thomas H. Huxley)",
    "Education is the most powerful weapon which you can use to change the world. (Nelson Mandela)",
    "In the fields of observation chance favors only the prepared mind. (Louis Pasteur)",
    "Science is a way of thinking much more than it is a body of knowledge. (Carl Sagan)",
    "Learning without thought is labour lost; thought without learning is perilous. (Confucius)",
    "A journey of a thousand miles begins with a single step. (Lao Tzu)",
    "The first principle is that you must not fool yourself, and you are the easiest person to fool. "
    "(Richard P. Feynman)",
    "Knowledge is power. (Francis Bacon)",
    "Research is to see what everybody else has seen, and to think what nobody else has thought. "
    "(Albert Szent-Gyorgyi)",
    "Nature does nothing in vain. (Aristotle)",
    "Ignorance more frequently begets confidence than does knowledge. (Charles Darwin)",
    "Imagination is more important than knowledge. (Albert Einstein)",
    "The whole of science is nothing more than a refinement of everyday thinking. (Albert Einstein)",
    "Equipped with his five senses, man explores the universe around him and calls the adventure Science. "
    "(Edwin P. Hubble)",
    "I seem to have been only like a boy playing on the sea-shore, whilst the great ocean of truth lay "
    "all undiscovered before me. (Isaac Newton)",
    "Study hard what interests you the most in the most undisciplined, irreverent and original manner "
    "possible. (Richard P. Feynman)",
    "All models are wrong, but some are useful. (George E. P. Box)",
    "It is a capital mistake to theorize before one has data. (Arthur Conan Doyle)",
};

const std::string_view AnalysisMenuText =
    " A. Life table analysis (individual-reared data): A1, A2, A3.\n"
    "  A4: Sort bootstrap life tables and multinomial theorem.\n"
    "  B: Life table analysis (group-reared data).\n"
    "  C: PT (1 by 1): Paired bootstrap test (Selecting data file 1 by 1.).\n"
    "  D: Match preadult and adult life table data.\n"
    "  E: Life table with offspring sex ratio dependent on female age.\n"
    "  F: Group a few consecutive stages to a single stage.\n"
    "  G: General bootstrap: Estimate SE of any data using bootstrap technique.\n"
    "  H: Calculate harvest rate and construct mass-rearing system.\n"
    "  I: Calculate contribution of different reproductive types.\n"
    "  J: Calculate ratio of two bootstrap results (e.g., hatch rate).\n"
    "  K: Change the time unit of life table data to x time units.\n"
    "  L: Read, sort and count bootstrap results.\n"
    "  M: Count bootstrap life tables (It takes extreme long time).\n"
    "  N: Sort bootstrap results and normality test.\n"
    "  O: Add overwinter time to adults of matched life table.\n"
    "  P: Write specific bootstrap life table.\n"
    "  Q: Cartesian paired test.\n";

const std::array<std::string_view, 4> DedicationSayings{
    "A teacher affects eternity; he can never tell where his influence stops. (Henry Adams)",
    "It is the supreme art of the teacher to awaken joy in creative expression and knowledge. "
    "(Albert Einstein)",
    "One looks back with appreciation to the brilliant teachers, but with gratitude to those who "
    "touched our human feelings. (Carl Jung)",
    "The art of teaching is the art of assisting discovery. (Mark Van Doren)",
};

}  // namespace cpt
