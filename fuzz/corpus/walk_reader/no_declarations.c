x_walk_verts[0] = 1;
x_walk_verts[5] = 2;
x_walk_graph[1] = (0)*256 + (1);
