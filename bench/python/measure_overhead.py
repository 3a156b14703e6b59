#!/usr/bin/env python3
"""The Python module's cost per measurement over the driver alone.

Both sides measure the built-in simulator (measuring time scaled to almost nothing) in the
same process and session: the baseline is a C++ loop of the driver's doMeasurement, as a
C++ host calls it; the module's figure is Instrument.measure(), which adds the worker
thread that keeps Ctrl-C working, the colour values and the Python objects. Rounds
alternate so that drift in the machine's load falls on both.

    PYTHONPATH=build/python python3 bench/python/measure_overhead.py [--rounds 7 --count 40]
"""
import argparse
import statistics
import tempfile
import time

import rx9100


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--count", type=int, default=40, help="measurements per round and side")
    options = parser.parse_args()
    rx9100.set_settings_folder(tempfile.mkdtemp(prefix="rx9100-bench-"))

    driver, module = [], []
    with rx9100.Instrument(sim=True, time_scale=0.001, noise=0) as inst:
        inst.measure(3)  # warm-up: first exchanges, caches
        for _ in range(options.rounds):
            driver.append(inst._session._time_driver_measurements(options.count) / options.count)
            started = time.perf_counter()
            for _ in range(options.count):
                inst.measure()
            module.append((time.perf_counter() - started) / options.count)

    base = statistics.median(driver)
    ours = statistics.median(module)
    print(f"driver alone      {base * 1e3:8.3f} ms per measurement (median of {options.rounds} "
          f"rounds of {options.count})")
    print(f"through rx9100    {ours * 1e3:8.3f} ms per measurement")
    print(f"module overhead   {(ours - base) * 1e3:8.3f} ms per measurement "
          f"(ratio {ours / base:.3f}; goal under 1 ms)")


if __name__ == "__main__":
    main()
