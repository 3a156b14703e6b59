#!/usr/bin/env python3
"""Measures a series and plots the spectra with matplotlib.

    python3 measure_series.py --sim --count 5 -o series.png
    python3 measure_series.py --port /dev/ttyACM0 --count 10 --interval 2
"""
import argparse
import time

import rx9100


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", help="the instrument's port (default: the driver's settings)")
    parser.add_argument("--sim", action="store_true", help="the built-in simulator")
    parser.add_argument("--count", type=int, default=5)
    parser.add_argument("--interval", type=float, default=0.0, help="seconds between starts")
    parser.add_argument("-o", "--output", default="series.png", help="the plot (PNG, SVG, PDF)")
    options = parser.parse_args()

    simulator = {"source": "a", "time_scale": 0.1} if options.sim else {}
    series = []
    with rx9100.Instrument(options.port, sim=options.sim, **simulator) as inst:
        print(f"{inst.identity['name']} {inst.identity['body_number']}")
        for _ in range(options.count):
            started = time.monotonic()
            m = inst.measure()[0]
            series.append(m)
            print(f"{len(series):3d}  Lv {m.Lv:10.4f} cd/m2  x {m.x:.4f}  y {m.y:.4f}  "
                  f"CCT {m.CCT or float('nan'):7.0f} K")
            time.sleep(max(0.0, options.interval - (time.monotonic() - started)))

    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    figure, axes = plt.subplots(figsize=(8, 4.5))
    for m in series:
        axes.plot(m.wavelengths, m.spectrum, label=f"{m.index}: {m.Lv:.2f} cd/m2")
    axes.set_xlabel("wavelength (nm)")
    axes.set_ylabel(f"spectral radiance ({series[0].unit})")
    axes.legend(fontsize="small")
    figure.tight_layout()
    figure.savefig(options.output)
    print(f"plot written to {options.output}")


if __name__ == "__main__":
    main()
