#!/usr/bin/env python3
"""Writes the files of a large mod under the folder given: 20 folders of 1,000 files with 8.3
names, 1 to 19 KB (about 200 MB), drawn from 32 byte values, which deflate packs to about two
thirds, like game art; one file in twenty is incompressible. Always the same names and sizes."""
import os
import random
import sys

root = sys.argv[1]
random.seed(2)
table = bytes((i % 32) * 7 for i in range(256))
folders = ["art/critters", "art/tiles", "art/items", "art/scenery", "art/walls", "art/intrface",
           "art/inven", "art/misc", "art/skilldex", "art/heads", "proto/items", "proto/critters",
           "proto/scenery", "sound/sfx", "sound/speech", "maps", "scripts", "text/english/dialog",
           "text/english/game", "data"]
for folder in folders:
    os.makedirs(os.path.join(root, folder))
    for i in range(1000):
        size = random.randint(1024, 19456)
        data = os.urandom(size)
        if random.random() >= 0.05:
            data = data.translate(table)
        with open(os.path.join(root, folder, "f%07d.frm" % i), "wb") as out:
            out.write(data)
