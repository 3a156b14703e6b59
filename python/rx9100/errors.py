"""The exceptions of the rx9100 package: a failed operation with the driver's account of it."""


class Error(Exception):
    """A driver operation failed.

    action: what failed ("measurement 2", "connecting to the instrument on /dev/ttyACM0");
    status: the driver's status (10 refused by the instrument or driver, -10 transport);
    code: the driver's error code (200: none); text: the driver's (Japanese) text for it;
    gloss: its English meaning, empty when there is none.
    """

    def __init__(self, action, status=0, code=200, text="", gloss=""):
        self.action = action
        self.status = status
        self.code = code
        self.text = text
        self.gloss = gloss
        super().__init__(self._message())

    def _message(self):
        message = f"{self.action} failed" if self.status else self.action
        if self.status:
            message += f": status {self.status}"
        if self.code not in (0, 200) or self.text:
            message += f", error {self.code}"
            if self.text:
                message += f": {self.text}"
            if self.gloss:
                message += f" ({self.gloss})"
        return message


class InstrumentError(Error):
    """The instrument (or the driver) refused: status 10, with its error code and text."""


class LinkError(Error):
    """The instrument could not be reached: no reply, a port that cannot be opened (status -10)."""


class Cancelled(Error):
    """The operation was cancelled by Instrument.cancel() from another thread."""


def from_failure(failure):
    """The package's exception for a failure the extension reported."""
    kind, action, status, code, text, gloss = failure.args
    if kind == "usage":
        return ValueError(action)
    cls = {"link": LinkError, "cancelled": Cancelled}.get(kind, InstrumentError)
    return cls(action, status, code, text, gloss)
