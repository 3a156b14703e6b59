import os
import tempfile

import pytest

import rx9100

# The driver keeps its settings file away from the user's own, for the whole session.
rx9100.set_settings_folder(os.environ.get("RX9100_SETTINGS") or tempfile.mkdtemp(prefix="rx9100-py-"))

FAST = {"time_scale": 0.05, "noise": 0}


@pytest.fixture
def transcript(tmp_path):
    """The simulator's transcript file and a reader of its lines as (direction, text)."""
    path = tmp_path / "transcript"

    def lines():
        out = []
        for line in path.read_text(errors="replace").splitlines():
            direction, text = line.split(" ", 3)[2:4]
            out.append((direction, text.replace("\\r\\n", "")))
        return out

    lines.path = str(path)
    return lines


def sent(lines):
    return [text for direction, text in lines if direction == "->"]


def ends_local(lines):
    """The instrument's last command was a return to local mode that it accepted."""
    return lines[-2:] == [("->", "RMTS,0"), ("<-", "OK00")]
