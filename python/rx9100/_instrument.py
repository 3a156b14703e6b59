"""Instrument: one connection to the instrument (or the built-in simulator) for a with-block."""
import datetime
import functools
import json
import os

from . import _rx9100
from .errors import from_failure

Measurement = _rx9100.Measurement

_CONDITION_NAMES = ("speed", "sync", "lens", "nd", "internal_nd", "count", "integration",
                    "frequency", "channel")


def set_settings_folder(folder):
    """Keep the driver's settings file in folder; before the first Instrument is opened."""
    _rx9100.set_settings_folder(str(folder))


def _translated(method):
    """Raises the package's exceptions for the failures the extension reports."""
    @functools.wraps(method)
    def call(*args, **kwargs):
        try:
            return method(*args, **kwargs)
        except _rx9100.Failure as failure:
            raise from_failure(failure) from None
    return call


def _kind(kind):
    if kind not in ("targets", "samples"):
        raise ValueError("kind is 'targets' or 'samples'")
    return kind == "targets"


def _numpy():
    import numpy
    return numpy


def _condition_value(value):
    if isinstance(value, bool):
        return "on" if value else "off"
    return str(value)


class Instrument:
    """The instrument on a port, or the built-in simulator with sim=True.

    Instrument(port="/dev/ttyACM0")             a USB (CDC) instrument
    Instrument(port="/dev/ttyS0", method="rs232c", baud=38400)
    Instrument(sim=True, source="a", noise=0)   the simulator, with rx9100's --sim-... options
                                                 as keywords (time_scale for --sim-time-scale)
    Without port and sim, the port in the driver's settings.

    Connects on entering a with-block (or open()) and returns the instrument to local mode
    on leaving it (or close()), also after an exception or Ctrl-C. One instrument at a time:
    the driver is one object per process.
    """

    _open_instrument = None

    @_translated
    def __init__(self, port=None, *, sim=False, method=None, baud=None, observer=2,
                 **simulator):
        if simulator and not sim:
            raise TypeError("simulator options need sim=True: " + ", ".join(sorted(simulator)))
        if sim and port:
            raise ValueError("port and sim exclude each other")
        if observer not in (2, 10):
            raise ValueError("observer is 2 or 10 (degrees)")
        self.observer = observer
        self._session = _rx9100.Session(port=port or "", method=method or "", baud=baud,
                                        sim=simulator if sim else None)

    # -- connection -------------------------------------------------------------------
    @_translated
    def open(self):
        """Connects, identifies the instrument and reads its measuring conditions."""
        if Instrument._open_instrument not in (None, self):
            raise RuntimeError("another Instrument is open; close it first")
        Instrument._open_instrument = self
        try:
            self._session.open()
        except BaseException:
            self.close()
            raise
        return self

    def close(self):
        """Returns the instrument to local mode and closes the port (and the simulator)."""
        self._session.close()
        if Instrument._open_instrument is self:
            Instrument._open_instrument = None

    def __enter__(self):
        return self.open()

    def __exit__(self, *exc):
        self.close()
        return False

    def __del__(self):
        session = getattr(self, "_session", None)
        if session is not None and session.is_open:
            self.close()

    # -- what the instrument is and how it measures -------------------------------------
    @property
    def identity(self):
        """Model name, variation, body number, ROM version, firmware level and port."""
        return self._session.identity()

    @property
    def conditions(self):
        """The measuring conditions as `rx9100 conditions --format json` prints them."""
        return self._session.conditions()

    @_translated
    def set_conditions(self, **conditions):
        """Writes conditions by the names of `rx9100 conditions --set`, e.g.
        set_conditions(speed="manual", integration=0.5) or set_conditions(count=4).

        Returns what the instrument kept differently (one text each; empty when it kept all).
        """
        unknown = sorted(set(conditions) - set(_CONDITION_NAMES))
        if unknown:
            raise TypeError("unknown condition " + ", ".join(unknown) + " (known: " +
                            ", ".join(_CONDITION_NAMES) + ")")
        items = [f"{name.replace('_', '-')}={_condition_value(value)}"
                 for name, value in conditions.items()]
        return self._session.set_conditions(items)

    # -- white calibration ----------------------------------------------------------------
    @property
    def measurement_type(self):
        """What measure() measures: "light" (radiance), or a sample's "reflectance" or
        "transmittance" in per cent of the white calibration in force."""
        return self._session.measurement_type

    @measurement_type.setter
    def measurement_type(self, value):
        self._session.measurement_type = value

    @_translated
    def white_calibrate(self, standard, type="reflectance", user=None):
        """Measures the white standard with the driver's white calibration; afterwards
        measure() gives the sample's reflectance (or transmittance) in per cent.

        standard: the standard's calibration data file (.wcb); user: the user's own white
        data to use instead of the standard's values. Raises InstrumentError with the
        driver's message when a file is refused, Cancelled when cancel() stopped it.
        """
        self._session.white_calibrate(type=type, standard=str(standard),
                                      user="" if user is None else str(user))

    # -- calibration channels -------------------------------------------------------------
    @_translated
    def channels(self, quick=False):
        """The eleven calibration channels: a dict each with channel, mode, id, the
        corrections it holds (wavelength, level, nd) and whether it is active. quick: one
        probe per channel instead of the driver's full scan of each channel's tables."""
        return self._session.channels(quick=quick)

    @_translated
    def channel(self, number):
        """Channel number's (1 to 10) wavelength and level tables: numpy arrays of 401 entries for 380 to
        780 nm, None for a table the channel does not hold. Ctrl-C stops the read at the
        next entry."""
        return self._session.channel_tables(channel=number)

    # -- stored data ----------------------------------------------------------------------
    @_translated
    def stored(self, kind="samples"):
        """Every stored target (1 to 20) or sample (0 to 99): a list of dicts as
        `rx9100 stored export --format json` writes them (number, type, name, colour values,
        conditions, and for a spectrum "spectrum" with its 401 values as a numpy array)."""
        targets = _kind(kind)
        document = json.loads(self._session.stored_json(targets=targets, observer=self.observer))
        records = document.get("targets" if targets else "samples", [])
        for record in records:
            spectrum = record.get("spectrum")
            if spectrum and "values" in spectrum:
                spectrum["values"] = _numpy().asarray(spectrum["values"], dtype=float)
        return records

    @_translated
    def delete_stored(self, kind, numbers=None, backup=None):
        """Deletes stored targets or samples (numbers, or all of them when None) after
        saving them to a backup file and reading it back, as `rx9100 stored delete` does;
        nothing is deleted when a record holds nothing or the backup cannot be written.
        backup: the file (default rx9100-backup-<kind>-<UTC time>.json in the current
        folder). Returns (numbers deleted, backup path)."""
        targets = _kind(kind)
        if backup is None:
            stamp = datetime.datetime.now(datetime.timezone.utc).strftime("%Y%m%dT%H%M%SZ")
            backup = f"rx9100-backup-{'targets' if targets else 'samples'}-{stamp}.json"
        backup = os.fspath(backup)
        deleted = self._session.delete_stored(targets=targets,
                                              numbers=[] if numbers is None else list(numbers),
                                              backup=backup)
        return deleted, backup

    # -- measuring ----------------------------------------------------------------------
    @_translated
    def measure(self, count=1, progress=None, *, rendition=False):
        """Measures count times; a list of Measurement.

        progress: None or a callable progress(index, count, elapsed_s, total_s), called on
        this thread while the instrument measures. Ctrl-C (KeyboardInterrupt) or cancel()
        from another thread stops the measurement at the instrument.
        rendition: also rate the light's colour rendition (m.Ra, m.Rf, m.Rg, to_dict()).
        """
        if count < 1:
            raise ValueError("count is at least 1")
        return self._session.measure(count=count, observer=self.observer, rendition=rendition,
                                     progress=progress)

    def cancel(self):
        """Stops a measurement or a remote wait running on another thread."""
        self._session.cancel()

    def remote(self, count=None, timeout=None, *, rendition=False):
        """Measurements taken with the instrument's measuring key, as an iterator.

        Stops after count measurements (None: no limit), when no key was pressed for
        timeout seconds (None: no limit), or when the loop ends or breaks; the key is
        switched off again on every way out. Use it from one thread.
        """
        return _RemoteMeasurements(self._session, self.observer, count, timeout, rendition)


class _RemoteMeasurements:
    def __init__(self, session, observer, count, timeout, rendition):
        self._session = session
        self._observer = observer
        self._count = count
        self._timeout = -1.0 if timeout is None else float(timeout)
        self._rendition = rendition
        self._received = 0
        self._started = False
        self._done = False

    def __iter__(self):
        return self

    @_translated
    def __next__(self):
        if self._done or (self._count is not None and self._received >= self._count):
            self.close()
            raise StopIteration
        if not self._started:
            self._session.start_remote(observer=self._observer, rendition=self._rendition)
            self._started = True
        try:
            measurement = self._session.next_remote(timeout=self._timeout)
        except BaseException:
            self.close()
            raise
        if measurement is None:
            self.close()
            raise StopIteration
        self._received += 1
        return measurement

    def close(self):
        """Switches the measuring key off and ends the driver's receive thread."""
        if self._started and not self._done:
            self._session.stop_remote()
        self._done = True

    def __del__(self):
        self.close()
