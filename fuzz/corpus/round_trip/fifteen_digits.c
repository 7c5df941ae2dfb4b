t_walk_verts[0] = 0.1234567890123456789;
t_walk_verts[1] = 123456789012345678;
t_walk_verts[2] = -0;
t_walk_verts[3] = 1E-310;
t_walk_types[0] = 4.0000000000000001;
t_walk_types[1] = 8;
t_walk_graph[1] = (1)*256 + (0);
