/* edited by hand */
float Sloop_Walk_Verts[6] ;
	SLOOP_WALK_VERTS[ 0 ]=  +1.25 ;  sloop_walk_verts[1]=2;sloop_walk_verts[2]=3;
sloop_walk_verts [3] = &H10; sloop_walk_verts[4] = &O17; sloop_walk_verts[5] = 1D2;
sloop_walk_types[0] = 7; sloop_walk_types[1] = 2.5;
sloop_walk_graph[0] = ( 0 ) * 256 + ( 1 );
sloop_walk_graph[1] = (1)*256 + (0); // back
