import pytest

import rx9100
from conftest import FAST, ends_local, sent


def test_a_refusal_is_an_instrument_error_with_the_drivers_code_and_text(transcript):
    with rx9100.Instrument(sim=True, faults=["MEAS,1:error:30"], transcript=transcript.path,
                           **FAST) as inst:
        with pytest.raises(rx9100.InstrumentError) as caught:
            inst.measure()
        error = caught.value
        assert error.status == 10 and error.code == 30 and error.text
        assert "measurement 1" in str(error)
        [m] = inst.measure()  # the fault fired once: the next measurement is fine
        assert m.Lv > 0
    assert ends_local(transcript())


def test_a_link_failure_is_a_link_error():
    with pytest.raises(rx9100.LinkError) as caught:
        rx9100.Instrument("/dev/rx9100-no-such-port").open()
    assert caught.value.status == -10
    with rx9100.Instrument(sim=True, faults=["MEDR:hangup"], **FAST) as inst:
        with pytest.raises(rx9100.LinkError):
            inst.measure()


def test_an_exception_in_the_block_still_returns_the_instrument_to_local_mode(transcript):
    with pytest.raises(ZeroDivisionError):
        with rx9100.Instrument(sim=True, transcript=transcript.path, **FAST) as inst:
            inst.measure()
            1 / 0
    assert ends_local(transcript())


def test_usage_mistakes_are_python_errors_before_anything_starts():
    with pytest.raises(TypeError, match="unknown simulator option"):
        rx9100.Instrument(sim=True, sauce="a")
    with pytest.raises(ValueError, match="simulator source"):
        rx9100.Instrument(sim=True, source="candle").open()
    with pytest.raises(ValueError):
        rx9100.Instrument(sim=True, noise=2)
    with pytest.raises(ValueError):
        rx9100.Instrument(sim=True, observer=5)
    with rx9100.Instrument(sim=True, **FAST):
        with pytest.raises(RuntimeError, match="another Instrument"):
            rx9100.Instrument(sim=True, **FAST).open()


def test_remote_iteration_takes_each_key_measurement(transcript):
    with rx9100.Instrument(sim=True, key_interval=0.2, transcript=transcript.path,
                           **FAST) as inst:
        measurements = list(inst.remote(count=3, timeout=5))
        assert [m.index for m in measurements] == [1, 2, 3]
        assert all(m.Lv > 0 for m in measurements)
        commands = sent(transcript())
        assert commands.count("MEDR,1,1,3") >= 3 and commands[-1] == "MSWE,0"
    assert ends_local(transcript())


def test_breaking_out_of_remote_switches_the_key_off_and_a_silent_key_times_out(transcript):
    with rx9100.Instrument(sim=True, key_interval=0.2, transcript=transcript.path,
                           **FAST) as inst:
        for m in inst.remote():
            break
        assert sent(transcript())[-1] == "MSWE,0"
    with rx9100.Instrument(sim=True, **FAST) as inst:
        assert list(inst.remote(timeout=0.3)) == []
