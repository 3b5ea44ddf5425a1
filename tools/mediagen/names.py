"""Reads data/names.txt: the five name lists in the program's order."""
SECTIONS = [
    ("first names even", 12),
    ("first names odd", 12),
    ("last names", 24),
    ("occupations", 24),
    ("residences", 24),
]


def read_names(path):
    """Returns a dict section -> list, checked against the expected counts."""
    lists = {}
    current = None
    with open(path, encoding="ascii") as f:
        for n, raw in enumerate(f, 1):
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            if line.startswith("[") and line.endswith("]"):
                current = line[1:-1]
                lists[current] = []
                continue
            if current is None:
                raise ValueError(f"{path}:{n}: text before the first section")
            lists[current].append(line)
    for name, count in SECTIONS:
        got = len(lists.get(name, []))
        if got != count:
            raise ValueError(f"{path}: section [{name}] has {got} entries, expected {count}")
    for occ in lists["occupations"]:
        if not occ[0].islower():
            raise ValueError(f"{path}: occupation {occ!r} must start with a lower-case letter")
    return lists


def ordered_texts(lists):
    """The 96 texts in the order of the program's built-in table."""
    out = []
    for name, _ in SECTIONS:
        out.extend(lists[name])
    return out
