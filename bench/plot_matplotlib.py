#!/usr/bin/env python3
"""The matplotlib peer of the side-by-side benchmark: one scatter per data set plus the connecting
line, 1280x960 PNG through the Agg backend.   plot_matplotlib.py INPUT OUTPUT"""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

# The data-set colours by set number mod 20, and the marker of each block of twenty sets.
COLORS = ["#003f9f", "#000000", "#ff0000", "#00ff00", "#0000ff", "#7f7f00", "#7f005f", "#ff7f00",
          "#7f7f7f", "#3f009f", "#5f0000", "#005f00", "#00dfdf", "#dfdf00", "#df00df", "#7f7f00",
          "#ff7f7f", "#8080c0", "#ff007f", "#00ff80"]
MARKERS = ["o", "s", "^", "D", "v"]


def main():
    source, target = sys.argv[1], sys.argv[2]
    data = np.loadtxt(source, skiprows=5, ndmin=2)
    x, y, sets = data[:, 0], data[:, 1], data[:, 3].astype(int)
    fig = plt.figure(figsize=(12.8, 9.6), dpi=100)
    ax = fig.add_subplot()
    for s in np.unique(sets[sets > 0]):
        mask = sets == s
        ax.scatter(x[mask], y[mask], s=16, marker=MARKERS[min((s - 1) // 20, 4)],
                   facecolors="none", edgecolors=COLORS[s % 20], linewidths=1)
    line = sets < 0
    ax.plot(x[line], y[line], color="black", linewidth=1)
    fig.savefig(target)


if __name__ == "__main__":
    main()
