"""The peer of pexora_bench_surface_lists in VTK: the same .p3g model drawn with vtkPolyDataMapper in a
1024 x 768 window, in the four surface modes (0 wireframe, 1 flat, 2 and 3 Gouraud with point normals
from vtkPolyDataNormals), each frame read back like Pexora's.
  first_picture/M  from the read model to its first frame read back (normals, mapper upload, drawing);
  frame/M          one frame with the camera turned by 5 degrees, after the first.
Prints "name seconds" lines, medians of 3 runs (frames: of 3 frames). Run under the same Xvfb and
software rasteriser as Pexora:
    python3 vtk_draw.py MODEL.p3g"""
import array
import statistics
import struct
import sys
import time

import vtk

WIDTH, HEIGHT = 1024, 768


def read_p3g(path):
    """vtkPolyData of a .p3g model with more than 65536 vertices (32-bit indices)."""
    with open(path, "rb") as f:
        _, vertex_count, facet_count = struct.unpack("<iii", f.read(12))
        if vertex_count <= 65536:
            sys.exit("the model needs more than 65536 vertices")
        coords = array.array("f")
        coords.frombytes(f.read(12 * vertex_count))
        corners = array.array("i")
        corners.frombytes(f.read(12 * facet_count))
    floats = vtk.vtkFloatArray()
    floats.SetNumberOfComponents(3)
    floats.SetArray(coords, len(coords), 1)
    points = vtk.vtkPoints()
    points.SetData(floats)
    connectivity = vtk.vtkTypeInt32Array()
    connectivity.SetArray(corners, len(corners), 1)
    offsets = array.array("i", range(0, 3 * facet_count + 1, 3))
    offset_array = vtk.vtkTypeInt32Array()
    offset_array.SetArray(offsets, len(offsets), 1)
    cells = vtk.vtkCellArray()
    cells.SetData(offset_array, connectivity)
    mesh = vtk.vtkPolyData()
    mesh.SetPoints(points)
    mesh.SetPolys(cells)
    mesh.keep = (coords, corners, offsets)  # the arrays above point into these buffers
    return mesh


class Scene:
    """A window showing `mesh` in surface mode `mode`, the camera fitted to it."""

    def __init__(self, mesh, mode):
        source = mesh
        if mode >= 2:
            normals = vtk.vtkPolyDataNormals()
            normals.SetInputData(mesh)
            normals.SplittingOff()
            normals.ConsistencyOff()
            normals.Update()
            source = normals.GetOutput()
        self.mapper = vtk.vtkPolyDataMapper()
        self.mapper.SetInputData(source)
        self.mapper.ScalarVisibilityOff()
        actor = vtk.vtkActor()
        actor.SetMapper(self.mapper)
        prop = actor.GetProperty()
        prop.SetColor(0.8, 0.6, 0.4)
        if mode == 0:
            prop.SetRepresentationToWireframe()
        elif mode == 1:
            prop.SetInterpolationToFlat()
        else:
            prop.SetInterpolationToGouraud()
        self.renderer = vtk.vtkRenderer()
        self.renderer.AddActor(actor)
        self.window = vtk.vtkRenderWindow()
        self.window.SetSize(WIDTH, HEIGHT)
        self.window.AddRenderer(self.renderer)
        self.renderer.ResetCamera()
        self.pixels = vtk.vtkUnsignedCharArray()

    def draw(self):
        self.window.Render()
        self.window.GetPixelData(0, 0, WIDTH - 1, HEIGHT - 1, 0, self.pixels, 0)

    def close(self):
        self.window.Finalize()


def main():
    mesh = read_p3g(sys.argv[1])
    for mode in range(4):
        firsts, frames = [], []
        for _ in range(3):
            start = time.perf_counter()
            scene = Scene(mesh, mode)
            scene.draw()
            firsts.append(time.perf_counter() - start)
            if not frames:
                for _ in range(3):
                    scene.renderer.GetActiveCamera().Azimuth(5)
                    start = time.perf_counter()
                    scene.draw()
                    frames.append(time.perf_counter() - start)
            scene.close()
        print("first_picture/%d %.4f" % (mode, statistics.median(firsts)))
        print("frame/%d %.4f" % (mode, statistics.median(frames)))
        sys.stdout.flush()


if __name__ == "__main__":
    main()
