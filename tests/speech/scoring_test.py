"""The speech check's own measures: word scoring against what a clip says,
and the pitch tracker, on cases whose answers are known."""
import os
import sys
import unittest

import numpy as np

TOOLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools")
sys.path.insert(0, os.path.join(TOOLS, "mediagen"))
sys.path.insert(0, os.path.join(TOOLS, "speechcheck"))

from pitch import median_pitch  # noqa: E402
from scoring import Score, accuracy, score, words_of  # noqa: E402

KNOWN = {"welcome", "to", "sorry", "that's", "incorrect", "correct", "the", "b", "twenty", "one",
         "t", "v", "arts", "and", "literature", "be", "d", "prevent", "it", "trip"}


class WordsOfACaption(unittest.TestCase):
    def test_punctuation_case_and_hyphens_go(self):
        self.assertEqual(words_of("Twenty-one."), ["twenty", "one"])
        self.assertEqual(words_of("Sorry, that's incorrect!"), ["sorry", "that's", "incorrect"])

    def test_initialisms_are_letters_either_way(self):
        self.assertEqual(words_of("TV, Arts, and Literature."), ["t", "v", "arts", "and", "literature"])
        self.assertEqual(words_of("tv cards"), ["t", "v", "cards"])

    def test_recogniser_marks_and_letter_dots(self):
        self.assertEqual(words_of("<s> d. [noise] <sil>"), ["d"])


class ScoringWhatWasHeard(unittest.TestCase):
    def check(self, said, heard):
        return score(words_of(said), words_of(heard), KNOWN)

    def test_exact_hearing(self):
        s = self.check("Sorry, that's incorrect.", "sorry that's incorrect")
        self.assertEqual(s, Score(3, 0))
        self.assertTrue(s.exact)

    def test_substitution_deletion_insertion_each_cost_one(self):
        self.assertEqual(self.check("Sorry, that's incorrect.", "sorry that's correct").errors, 1)
        self.assertEqual(self.check("Sorry, that's incorrect.", "sorry incorrect").errors, 1)
        self.assertEqual(self.check("Sorry, that's incorrect.", "sorry the that's incorrect").errors, 1)
        self.assertEqual(self.check("twenty-one.", "").errors, 2)

    def test_an_unknown_word_counts_for_nothing_and_soaks_up_a_few_words(self):
        self.assertEqual(self.check("Welcome to Trivenza.", "welcome to prevent"), Score(2, 0))
        self.assertEqual(self.check("Welcome to Trivenza.", "welcome to trip and the"), Score(2, 0))
        self.assertEqual(self.check("Welcome to Trivenza.", "welcome to"), Score(2, 0))
        # ... but not an unlimited number of them, nor the known words around it.
        self.assertEqual(self.check("Welcome to Trivenza.", "welcome to it it it it").errors, 1)
        self.assertEqual(self.check("Welcome to Trivenza.", "prevent").errors, 2)

    def test_letters_pass_as_their_homophones_only(self):
        self.assertTrue(self.check("B.", "be").exact)
        self.assertTrue(self.check("B.", "b.").exact)
        self.assertFalse(self.check("B.", "the").exact)
        self.assertFalse(self.check("B.", "d.").exact)

    def test_accuracy_sums_clips_and_can_go_negative(self):
        total = self.check("Sorry, that's incorrect.", "sorry that's correct") + self.check("B.", "be")
        self.assertEqual(total, Score(4, 1))
        self.assertAlmostEqual(accuracy(total), 75.0)
        self.assertLess(accuracy(self.check("B.", "the the the")), 0)
        self.assertEqual(accuracy(Score(0, 0)), 0.0)


def voiced(f0, seconds=0.6, rate=16000, jitter=0.0):
    """A buzz of harmonics with falling strength, like a vowel, at f0 (Hz)."""
    t = np.arange(int(rate * seconds)) / rate
    f = f0 * (1 + jitter * np.sin(2 * np.pi * 3 * t))
    phase = 2 * np.pi * np.cumsum(f) / rate
    return sum(np.sin(k * phase) / k for k in range(1, 25)) * 0.2


class PitchOfAVoice(unittest.TestCase):
    def test_steady_tones_from_bass_to_soprano(self):
        for f0 in (70, 98, 131, 180, 260, 380):
            with self.subTest(f0=f0):
                self.assertAlmostEqual(median_pitch([(voiced(f0), 16000)]), f0, delta=f0 * 0.01)

    def test_no_octave_error_when_the_fundamental_is_weak(self):
        t = np.arange(16000) / 16000
        x = sum(np.sin(2 * np.pi * 110 * k * t) for k in range(2, 12)) * 0.1  # no 110 Hz itself
        self.assertAlmostEqual(median_pitch([(x, 16000)]), 110, delta=2)

    def test_median_over_clips_at_any_rate_and_silence_is_not_voice(self):
        clips = [(voiced(100), 16000), (voiced(100, jitter=0.03, rate=22050), 22050),
                 (np.concatenate([np.zeros(8000), voiced(120)]), 16000)]
        self.assertAlmostEqual(median_pitch(clips), 100, delta=3)
        self.assertIsNone(median_pitch([(np.zeros(16000), 16000)]))
        noise = np.random.default_rng(1).normal(0, 0.1, 16000)
        self.assertIsNone(median_pitch([(noise, 16000)]))


if __name__ == "__main__":
    unittest.main()
