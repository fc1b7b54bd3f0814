"""The peer of the weld benchmarks in VTK: the specimen's STL soup read by vtkSTLReader (with its own
merging off, so that the soup stays a soup) and welded by vtkStaticCleanPolyData with tolerance 0
(exact), which vtkSMPTools spreads over every core. Prints "name seconds" lines, medians of 3 runs:
    weld/<M>        vtkStaticCleanPolyData of the soup, already read
    read_weld/<M>   vtkSTLReader then vtkStaticCleanPolyData
    python3 vtk_weld.py DATA_FOLDER MILLIONS..."""
import sys

import vtk

from vtk_timing import timed


def read(path):
    reader = vtk.vtkSTLReader()
    reader.SetFileName(path)
    reader.MergingOff()
    reader.Update()
    return reader.GetOutput()


def weld(soup):
    clean = vtk.vtkStaticCleanPolyData()
    clean.SetInputData(soup)
    clean.ToleranceIsAbsoluteOn()
    clean.SetAbsoluteTolerance(0.0)
    clean.SetTolerance(0.0)
    clean.Update()
    return clean.GetOutput().GetNumberOfPoints()


def main():
    folder, sizes = sys.argv[1], sys.argv[2:]
    for millions in sizes:
        path = f"{folder}/specimen-{millions}m.stl"
        soup = read(path)
        points = weld(soup)
        print(f"vtk: {path}: {soup.GetNumberOfPoints()} soup points, {points} welded", file=sys.stderr)
        print(f"weld/{millions} {timed(lambda: weld(soup)):.3f}")
        del soup
        print(f"read_weld/{millions} {timed(lambda: weld(read(path))):.3f}")
        sys.stdout.flush()


main()
