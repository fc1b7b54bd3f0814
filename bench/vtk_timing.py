"""Timing shared by the VTK peers of the benchmarks."""
import statistics
import time


def timed(work):
    """The median wall-clock seconds of 3 runs of work()."""
    runs = []
    for _ in range(3):
        start = time.perf_counter()
        work()
        runs.append(time.perf_counter() - start)
    return statistics.median(runs)
