#!/usr/bin/env python3
"""Builds a tree of small files in nested folders: make_tree.py ROOT FILES [FILES_PER_FOLDER]."""
import os
import sys


def main():
    root, total = sys.argv[1], int(sys.argv[2])
    per_folder = int(sys.argv[3]) if len(sys.argv) > 3 else 100
    folders = (total + per_folder - 1) // per_folder
    written = 0
    for f in range(folders):
        # Two levels: 10 folders per parent, so the walk meets real nesting.
        folder = os.path.join(root, "g%03d" % (f // 10), "f%03d" % (f % 10))
        os.makedirs(folder, exist_ok=True)
        for i in range(min(per_folder, total - written)):
            with open(os.path.join(folder, "file%04d.txt" % i), "w") as out:
                out.write("content %d %d\n" % (f, i))
            written += 1


if __name__ == "__main__":
    main()
