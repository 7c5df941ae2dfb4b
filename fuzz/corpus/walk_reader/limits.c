float a_walk_verts[3003];
a_walk_verts[3002] = 1;
a_walk_types[1000] = 4;
a_walk_graph[1000] = (1000)*256 + (32767);
