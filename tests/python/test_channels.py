import json
import os

import numpy
import pytest

import rx9100
from conftest import FAST, ends_local


def memory_with_channel_3(path):
    """The simulator's memory with calibration channel 3 holding both tables, and active."""
    memory = {
        "format": 1, "activeChannel": 3, "activeTarget": 1, "measuringAngle": 0,
        "conditions": {"count": 1, "integrationUs": 500000, "internalNd": 0, "lens": 0,
                       "nd": 0, "speedMode": 0, "syncCentiHz": 6000, "syncMode": 0},
        "display": {"backlightAlways": 1, "backlightMeasuring": 1, "colorSpace": 0,
                    "displayMode": 0, "luminanceUnit": 1, "observer": 0},
        "channels": [{"id": "", "level": None, "wavelength": None} for _ in range(11)],
        "lensTables": [None] * 3, "ndTables": [[None, None]] * 3,
        "samples": [None] * 100, "targets": [None] * 21,
    }
    memory["channels"][3] = {"id": "     LAB-A", "wavelength": [380.5] + list(range(381, 781)),
                             "level": [1.0] * 400 + [2.0]}
    path.write_text(json.dumps(memory))
    return str(path)


def test_channels_and_a_channels_tables_as_arrays(tmp_path, transcript):
    state = memory_with_channel_3(tmp_path / "memory.json")
    with rx9100.Instrument(sim=True, state=state, transcript=transcript.path, **FAST) as inst:
        for quick in (True, False):
            channels = inst.channels(quick=quick)
            assert [c["channel"] for c in channels] == list(range(11))
            assert [c["active"] for c in channels].index(True) == 3
            assert channels[3]["id"] == "LAB-A"
            assert channels[3]["wavelength"] and channels[3]["level"]
            assert not channels[5]["wavelength"] and not channels[5]["level"]
        tables = inst.channel(3)
        assert tables["wavelength"].shape == (401,) and tables["wavelength"][0] == 380.5
        numpy.testing.assert_array_equal(tables["wavelength"][1:], numpy.arange(381, 781))
        assert tables["level"][400] == 2.0 and tables["level"][0] == 1.0
        empty = inst.channel(5)
        assert empty["wavelength"] is None and empty["level"] is None
        with pytest.raises(ValueError, match="1 to 10"):
            inst.channel(0)
    assert ends_local(transcript())


def test_white_calibration_then_a_grey_measures_its_reflectance(tmp_path):
    standard = os.path.join(os.environ["RX9100_SOURCE_DIR"], "examples", "perfect-diffuser.wcb")
    with rx9100.Instrument(sim=True, samples="white,grey:0.18", **FAST) as inst:
        inst.white_calibrate(standard, type="reflectance")
        assert inst.measurement_type == "reflectance"
        [m] = inst.measure()
        assert m.quantity == "reflectance" and m.unit == "%"
        # The tile falls short of 1.0 only near 380 nm.
        numpy.testing.assert_allclose(m.spectrum[40:], 18.0, atol=0.18)
        inst.measurement_type = "light"
        assert inst.measure()[0].quantity == "spectral_radiance"


def test_a_refused_standard_file_is_an_instrument_error_with_the_dialogs_message(tmp_path):
    broken = tmp_path / "broken.wcb"
    broken.write_text("1.0\r\n" * 10)
    with rx9100.Instrument(sim=True, **FAST) as inst:
        with pytest.raises(rx9100.InstrumentError) as caught:
            inst.white_calibrate(broken)
        assert caught.value.text  # the dialog's own words
        with pytest.raises(ValueError, match="measurement type"):
            inst.white_calibrate(broken, type="glossy")


def test_stored_records_and_a_delete_that_saves_them_first(tmp_path, transcript):
    with rx9100.Instrument(sim=True, stored=12, transcript=transcript.path, **FAST) as inst:
        samples = inst.stored("samples")
        assert [s["number"] for s in samples] == list(range(12))
        spectral = [s for s in samples if s["type"] == "spectral"]
        assert spectral and spectral[0]["spectrum"]["values"].shape == (401,)
        targets = inst.stored("targets")
        assert len(targets) == 12

        backup = tmp_path / "backup.json"
        deleted, path = inst.delete_stored("targets", [3, 12], backup=backup)
        assert deleted == [3, 12] and path == str(backup)
        saved = json.loads(backup.read_text())
        assert [t["number"] for t in saved["targets"]] == [3, 12]
        assert [t["number"] for t in inst.stored("targets")] == [
            n for n in range(1, 13) if n not in (3, 12)]
        sent = [text for direction, text in transcript() if direction == "->"]
        assert sent.index("TGDD,03") < sent.index("TGDD,12")

        # A number that holds nothing, or a backup that cannot be written: nothing goes.
        with pytest.raises(ValueError, match="holds nothing"):
            inst.delete_stored("targets", [3], backup=tmp_path / "again.json")
        with pytest.raises(ValueError, match="nothing was deleted"):
            inst.delete_stored("samples", [0], backup=tmp_path / "missing" / "b.json")
        assert len(inst.stored("samples")) == 12
