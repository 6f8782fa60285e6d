#!/usr/bin/env python3
"""Makes the listing benchmark's folders (kept between runs: Wine creates files in a large
folder slowly, so they are made from Linux). Mixed case and a folder every tenth entry."""
import os
import sys

base = sys.argv[1]
for n in (1000, 10000, 100000):
    d = os.path.join(base, "listing-%d" % n)
    if os.path.isdir(d):
        continue
    os.makedirs(d)
    for i in range(n):
        p = os.path.join(d, ("Entry " if i % 3 else "entry ") + str(i * 7919 % n))
        if i % 10 == 0:
            os.mkdir(p)
        else:
            open(p + ".txt", "w").close()
