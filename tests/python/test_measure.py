import json
import os
import subprocess
import threading
import time

import numpy
import pytest

import rx9100
from conftest import FAST, ends_local, sent


def cli_measurement(*options):
    done = subprocess.run([os.environ["RX9100_CLI"], "--settings",
                           os.environ.get("RX9100_SETTINGS", "/tmp"), "--sim",
                           "--sim-time-scale", "0.05", "--sim-noise", "0", *options,
                           "measure", "--format", "json"],
                          capture_output=True, text=True, check=True)
    return json.loads(done.stdout)


def test_a_measurement_is_what_rx9100_reports_for_the_same_source():
    expected = cli_measurement("--sim-source", "a", "--sim-luminance", "250")
    with rx9100.Instrument(sim=True, source="a", luminance=250, **FAST) as inst:
        [m] = inst.measure()
    assert isinstance(m.spectrum, numpy.ndarray) and m.spectrum.dtype == numpy.float64
    assert m.spectrum.shape == (401,) and not m.spectrum.flags.writeable
    assert m.wavelengths[0] == 380 and m.wavelengths[-1] == 780
    numpy.testing.assert_allclose(m.spectrum, expected["spectrum"]["values"], rtol=1e-12)
    colour = expected["colour"]
    for attribute, key in [("Lv", "Lv"), ("x", "x"), ("y", "y"), ("u_prime", "u_prime"),
                           ("v_prime", "v_prime"), ("CCT", "CCT"), ("Duv", "Duv"), ("X", "X"),
                           ("Z", "Z"), ("dominant_wavelength", "dominant_wavelength_nm"),
                           ("purity", "purity")]:
        assert getattr(m, attribute) == pytest.approx(colour[key], rel=1e-12), attribute
    assert m.Lv == pytest.approx(250, rel=1e-3)
    assert m.warning is None and m.observer == 2
    as_dict = m.to_dict()
    assert as_dict["conditions"] == expected["conditions"]
    assert as_dict["colour"].keys() == colour.keys()
    assert as_dict["spectrum"]["values"] == pytest.approx(expected["spectrum"]["values"], rel=1e-12)


def test_the_arrays_stay_valid_after_the_instrument_is_gone():
    with rx9100.Instrument(sim=True, source="d65", **FAST) as inst:
        spectrum = inst.measure()[0].spectrum
    assert spectrum.base is not None  # a view of the measurement, kept alive by the array
    assert numpy.all(numpy.isfinite(spectrum)) and spectrum.max() > 0


def test_observer_ten_and_rendition_reach_the_values():
    with rx9100.Instrument(sim=True, source="a", observer=10, **FAST) as inst:
        [m] = inst.measure(rendition=True)
        [plain] = inst.measure()
    assert m.observer == 10 and m.to_dict()["colour"]["observer"] == 10
    assert m.Ra == pytest.approx(100, abs=0.5) and m.Rf == pytest.approx(100, abs=0.5)
    assert plain.Ra is None and "rendition" not in plain.to_dict()


def test_progress_is_reported_and_a_series_counts_its_measurements(transcript):
    calls = []
    with rx9100.Instrument(sim=True, measuring_time=0.4, time_scale=1, noise=0,
                           transcript=transcript.path) as inst:
        ms = inst.measure(2, progress=lambda *args: calls.append(args))
    assert [m.index for m in ms] == [1, 2]
    assert {c[0] for c in calls} == {1, 2} and all(c[1] == 2 for c in calls)
    first = [c for c in calls if c[0] == 1]
    assert first[-1][3] == pytest.approx(0.4, abs=0.02)  # the measuring time
    assert [c[2] for c in first] == sorted(c[2] for c in first)
    assert sent(transcript()).count("MEAS,1") == 2


def test_conditions_are_written_by_the_names_rx9100_uses(transcript):
    with rx9100.Instrument(sim=True, transcript=transcript.path, **FAST) as inst:
        assert inst.set_conditions(speed="manual", integration=0.1, sync="internal",
                                   frequency=50) == []
        conditions = inst.conditions
        assert conditions["speed"]["alias"] == "manual"
        assert conditions["integration_s"] == pytest.approx(0.1)
        assert conditions["channel"]["number"] == 0
        with pytest.raises(TypeError, match="unknown condition"):
            inst.set_conditions(shutter=1)
        with pytest.raises(ValueError, match="integration"):
            inst.set_conditions(integration=1000)
    assert "SCMS,1,05000" in sent(transcript())


def test_cancel_from_another_thread_stops_the_measurement_at_the_instrument(transcript):
    with rx9100.Instrument(sim=True, measuring_time=30, noise=0,
                           transcript=transcript.path) as inst:
        threading.Timer(0.3, inst.cancel).start()
        started = time.monotonic()
        with pytest.raises(rx9100.Cancelled):
            inst.measure()
        assert time.monotonic() - started < 3
        inst.set_conditions(speed="normal")  # still usable afterwards
    lines = transcript()
    assert "MEAS,0" in sent(lines) and ends_local(lines)


def test_ctrl_c_is_a_keyboard_interrupt_and_the_instrument_returns_to_local(transcript):
    import signal
    with pytest.raises(KeyboardInterrupt):
        with rx9100.Instrument(sim=True, measuring_time=30, noise=0,
                               transcript=transcript.path) as inst:
            threading.Timer(0.3, os.kill, (os.getpid(), signal.SIGINT)).start()
            inst.measure()
    lines = transcript()
    assert "MEAS,0" in sent(lines) and ends_local(lines)


def test_an_exception_in_the_progress_callable_stops_the_measurement(transcript):
    def progress(*args):
        raise RuntimeError("enough")

    with rx9100.Instrument(sim=True, measuring_time=30, noise=0,
                           transcript=transcript.path) as inst:
        with pytest.raises(RuntimeError, match="enough"):
            inst.measure(progress=progress)
    assert "MEAS,0" in sent(transcript())
