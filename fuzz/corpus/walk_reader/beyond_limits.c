a_walk_verts[3003] = 1;
a_walk_graph[1] = (32768)*256 + (1);
