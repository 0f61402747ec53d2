#!/usr/bin/env python3
"""Writes the README's C++ snippets as one source file for the readme tests.

A block fenced as ```cpp is a run of statements: it becomes the body of a
function readme_snippet_N(reader, expected), where reader is an input
endpoint and expected the objects a self-check expects. A block fenced as
```cpp top-level stands at namespace scope as it is (whole functions).

usage: extract_snippets.py README.md OUT.inc
"""
import re
import sys


def main(readme, out):
    text = open(readme, encoding="utf-8").read()
    blocks = re.findall(r"^```cpp( top-level)?\n(.*?)^```", text, re.S | re.M)
    if not blocks:
        sys.exit("no ```cpp block in " + readme)
    parts = ["// Made from %s by extract_snippets.py: edit the README, not this.\n" % readme]
    statements = 0
    for top_level, code in blocks:
        if top_level:
            parts.append(code)
        else:
            parts.append(
                "void readme_snippet_%d(vorabsLibInput& reader, "
                "const vorabsTestExpectedObjects& expected) {\n"
                "  (void)reader;\n  (void)expected;\n%s}\n" % (statements, code))
            statements += 1
    parts.append("const int readme_snippet_count = %d;\n" % len(blocks))
    open(out, "w", encoding="utf-8").write("\n".join(parts))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
