float a_walk_verts[6];
int a_walk_graph[3];
a_walk_graph[0] = (0)*256 + (1);
a_walk_graph[1] = (-1)*256 + (1);
a_walk_graph[2] = (1)*256 + (0);
