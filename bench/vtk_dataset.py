"""The peer of pexora_bench_dataset in VTK: reading the generated 512-slice stack with vtkBMPReader,
reslicing it along the same tilted plate with vtkImageReslice (nearest neighbour, 512 output slices)
and a 64-plane maximum projection (slab mode). Prints "name seconds" lines, medians of 3 runs.
    python3 vtk_dataset.py STACK_FOLDER"""
import math
import sys

import vtk

from vtk_timing import timed


def reader(folder):
    bmp = vtk.vtkBMPReader()
    bmp.SetFilePrefix(folder + "/ct_")
    bmp.SetFilePattern("%s%04d.bmp")
    bmp.SetDataExtent(0, 511, 0, 511, 0, 511)
    bmp.Allow8BitBMPOn()
    return bmp


def tilted_reslice(source, slices, slab):
    reslice = vtk.vtkImageReslice()
    reslice.SetInputConnection(source.GetOutputPort())
    s, c = math.sin(math.radians(20)), math.cos(math.radians(20))
    # Output x along the slices' columns, output z (the stack of planes) tilted 20 degrees off the slices' z.
    reslice.SetResliceAxesDirectionCosines(1, 0, 0, 0, c, -s, 0, s, c)
    reslice.SetResliceAxesOrigin(256, 256, 256)
    reslice.SetOutputExtent(0, 511, 0, 511, 0, slices - 1)
    reslice.SetOutputOrigin(-256, -256, -(slices // 2))
    reslice.SetInterpolationModeToNearestNeighbor()
    if slab:
        reslice.SetOutputExtent(0, 511, 0, 511, 0, 0)
        reslice.SetOutputOrigin(-256, -256, 0)
        reslice.SetSlabModeToMax()
        reslice.SetSlabNumberOfSlices(slices)
    return reslice


def main():
    folder = sys.argv[1]

    def read():
        bmp = reader(folder)
        bmp.Update()

    def read_and_reslice(slices, slab):
        def work():
            bmp = reader(folder)
            reslice = tilted_reslice(bmp, slices, slab)
            reslice.Update()
        return work

    print("vtk_read %.3f" % timed(read))
    print("vtk_reslice_512 %.3f" % timed(read_and_reslice(512, False)))
    print("vtk_mip_64 %.3f" % timed(read_and_reslice(64, True)))


if __name__ == "__main__":
    main()
