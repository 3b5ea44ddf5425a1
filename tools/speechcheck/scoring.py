"""How well what the recogniser heard matches what a clip says.

The words of a clip are compared with the words heard by the usual edit
distance over words; word accuracy is (words - substitutions - deletions -
insertions) / words, the figure speech recognisers are measured by:

    score(words_of("Sorry, that's incorrect."), ["sorry", "that's", "correct"], vocabulary)
    -> Score(words=3, errors=1)

Two allowances keep the figure about the voice rather than the recogniser:
- a word the recogniser does not know (the show's name, the host's name) can
  never be heard right; it counts for nothing and soaks up what was heard in
  its place (up to three words: "Trivenza" comes out as "trip and the");
- an answer letter may come back as its homophone ("B" as "be" or "bee").
"""
import re
from dataclasses import dataclass

# Letters are heard as words that sound the same.
HOMOPHONES = {
    "b": {"be", "bee"},
    "c": {"see", "sea"},
    "d": {"dee"},
}
# Initialisms said letter by letter.
SPELLED = {"tv": ["t", "v"]}
MAX_SOAKED = 3   # words an unknown word may be heard as


@dataclass(frozen=True)
class Score:
    words: int    # words that count (known to the recogniser)
    errors: int   # substitutions + deletions + insertions

    @property
    def exact(self):
        return self.errors == 0

    def __add__(self, other):
        return Score(self.words + other.words, self.errors + other.errors)


def words_of(text):
    """Lower-case words of a caption or a recogniser's answer: "twenty-one."
    gives ["twenty", "one"], "TV, Arts" gives ["t", "v", "arts"]; the
    recogniser's noise marks ("<sil>", "[noise]") are dropped."""
    out = []
    for token in text.lower().replace("-", " ").split():
        if token.startswith(("<", "[", "++")):
            continue
        word = re.sub(r"[^a-z']", "", token).strip("'")
        if word:
            out.extend(SPELLED.get(word, [word]))
    return out


def same_word(said, heard):
    return said == heard or heard in HOMOPHONES.get(said, ())


def score(said, heard, vocabulary):
    """Score of the words heard against the words said (lists from words_of)."""
    known = [w in vocabulary for w in said]
    n, m = len(said), len(heard)
    big = n + m + 1
    # cost[i][j]: fewest errors turning said[:i] into heard[:j]
    cost = [[big] * (m + 1) for _ in range(n + 1)]
    cost[0][0] = 0
    for i in range(n + 1):
        for j in range(m + 1):
            c = cost[i][j]
            if c == big:
                continue
            if j < m:
                cost[i][j + 1] = min(cost[i][j + 1], c + 1)           # inserted
            if i == n:
                continue
            if not known[i]:
                for k in range(min(MAX_SOAKED, m - j) + 1):        # soaked up
                    cost[i + 1][j + k] = min(cost[i + 1][j + k], c)
                continue
            cost[i + 1][j] = min(cost[i + 1][j], c + 1)               # missed
            if j < m:
                step = 0 if same_word(said[i], heard[j]) else 1       # heard or misheard
                cost[i + 1][j + 1] = min(cost[i + 1][j + 1], c + step)
    return Score(sum(known), cost[n][m])


def accuracy(total):
    """Word accuracy in percent of a summed Score (can go below 0 with many insertions)."""
    return 100.0 * (total.words - total.errors) / total.words if total.words else 0.0
