"""The RX-9100 spectroradiometer from Python.

    import rx9100
    with rx9100.Instrument(sim=True, source="a") as inst:
        m = inst.measure()[0]
        print(m.Lv, m.x, m.y, m.CCT)

Spectra are numpy arrays (m.wavelengths, m.spectrum); see docs/python.md.
"""
from ._instrument import Instrument, Measurement, set_settings_folder
from .errors import Cancelled, Error, InstrumentError, LinkError

__all__ = ["Instrument", "Measurement", "Error", "InstrumentError", "LinkError", "Cancelled",
           "set_settings_folder"]
